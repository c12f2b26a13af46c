#pragma once

#include <vector>

// The main window's menu bar and toolbar as data: popups, commands and separators with their
// texts (UTF-8; "&" marks the mnemonic, text after "\t" is the accelerator label) and command
// ids (document/CommandIds.h). The desktop program builds its menus from this tree.
struct MenuItem {
    enum class Kind { Command, Separator, Popup, RecentFiles };

    Kind kind = Kind::Command;
    const char* text = ""; // Command and Popup only
    int id = 0;            // Command only
    // Keyboard shortcuts in portable form ("Ctrl+Z"), Command only.
    std::vector<const char*> shortcuts;
    std::vector<MenuItem> children; // Popup only
};

// The top-level popups, left to right.
const std::vector<MenuItem>& MainMenuLayout();

// Toolbar buttons, left to right; kToolbarSeparator stands for a separator.
constexpr int kToolbarSeparator = 0;
const std::vector<int>& ToolbarLayout();

// Number of entries of the recent-file list and the id of the first one.
constexpr int kRecentFileCount = 4;

// Menu text of a command as the menus show it (first occurrence), or nullptr.
const char* FindMenuText(int commandId);
