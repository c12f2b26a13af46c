#pragma once

#include "document/DocumentUi.h"

#include <optional>
#include <string>
#include <vector>

// The part of a path after its last "/".
std::string FileNamePart(const std::string& path);
// True when the file name part of `path` (after the last "/") contains a ".".
bool HasExtension(const std::string& path);

// The program's save-dialog rule: a file name without any "." gets `defaultExt` appended; a
// path containing one of `accepted` (for example ".wav") is taken as it is; any other path is
// shown, followed by `wrongExtMessage`, and the dialog is asked again. Nothing on cancel.
std::optional<std::string> AskSavePath(IDocumentUi& ui, const std::string& title,
                                       const std::string& filter,
                                       const std::vector<std::string>& accepted,
                                       const std::string& defaultExt,
                                       const std::string& wrongExtMessage);

// Asks for a ".wav" name and writes `count` bytes to it. On success returns 1 and puts the
// path in `label`; 0 when cancelled or the file could not be created ("保存に失敗しました。").
int SaveWaveAs(IDocumentUi& ui, std::string& label, const unsigned char* bytes, std::size_t count);

// Writes bytes to a file in one piece; false when the file cannot be created or written.
bool WriteFileBytes(const std::string& path, const void* bytes, std::size_t count);

// Writes bytes under a temporary name beside `path` and renames it to `path` only when every
// byte was written, so that `path` holds either its old content or the whole new one. On failure
// the temporary file is removed and false is returned.
bool WriteFileReplacing(const std::string& path, const void* bytes, std::size_t count);
