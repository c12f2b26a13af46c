#pragma once

#include <QString>

// The installed Japanese family the user interface is drawn with ("IPAGothic" where installed),
// or an empty string when none of the known families is installed.
QString JapaneseUiFamily();

// Sets the application font to that family so that menus and dialogs render the Japanese
// texts predictably.
void ApplyJapaneseUiFont();
