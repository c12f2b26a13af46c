#pragma once

#include <QIcon>

// Toolbar button size in pixels.
inline constexpr int kToolbarButtonWidth = 20;
inline constexpr int kToolbarButtonHeight = 19;

// The toolbar picture of a command, drawn in code; a null icon for commands without a button.
QIcon MakeToolbarIcon(int commandId);
