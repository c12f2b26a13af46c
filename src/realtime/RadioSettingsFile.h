#pragma once

#include "realtime/RadioSettings.h"

#include <string>

class IDocumentUi;

// The software radio's settings file ("BEGIN_ALL," ... "BEGIN_RADIO," key and value pairs
// "END_RADIO," ... "END_ALL,"), written in CP932 with CR LF line ends.
//
// The reader takes commas as blanks and up to ten words a line; the first line must begin with
// "BEGIN_ALL"; lines before "BEGIN_RADIO" are skipped; after it each key (with its colon) is
// taken at the word position the writer puts it and the next word is its value; reading stops
// at "END_RADIO" or "END_ALL". Every value is checked (a whole number where the writer writes
// one, a finite number otherwise, each within its range): a value outside, a line that fits no
// rule or a missing value gives "書式(csvﾌｧｲﾙ)の整合がとれません"; more than 20 lines the
// 20-line message; an unreadable file "ﾌｧｲﾙを開けません". 1 on success, with `s` replaced;
// 0 leaves `s` as it was.
int WriteRadioSettings(const std::string& path, const RadioSettings& s, IDocumentUi& ui);
int ReadRadioSettings(const std::string& path, RadioSettings& s, IDocumentUi& ui);
// The text the writer writes (UTF-8).
std::string RadioSettingsText(const RadioSettings& s);
