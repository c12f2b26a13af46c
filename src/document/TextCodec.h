#pragma once

#include <string>
#include <string_view>

// Conversions between the program's UTF-8 texts and the Shift-JIS (CP932) bytes of the files it
// writes. Characters CP932 cannot hold become "?".
std::string Utf8ToCp932(std::string_view utf8);
// Text read from a file: valid UTF-8 (with or without a byte-order mark) is taken as it is,
// anything else is decoded as CP932.
std::string FileTextToUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
