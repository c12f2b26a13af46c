#pragma once

// Status-bar prompts of the menu and toolbar commands (UTF-8). The toolbar shows the same
// text as its tool tip.

// The prompt of a command id, or nullptr when the id has none.
const char* CommandPrompt(int commandId);

// The status bar's text while no menu item is highlighted.
inline constexpr const char* kIdlePrompt = "ﾚﾃﾞｨ";

#include <string>

// A menu text without its mnemonic marks and accelerator label ("FFT(&F)" -> "FFT(F)").
std::string PlainMenuText(const char* text);

// The message shown when a command has no handler yet, naming the command by its menu text
// (or its prompt for toolbar-only commands).
std::string NotBuiltMessage(int commandId);
