#pragma once

class CKymoDoc;

// Whether a command's menu item and toolbar button are enabled and checked: a function of the
// document's state only, so that the desktop program, the CLI and the tests share one rule.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

CommandState GetCommandState(const CKymoDoc& doc, int commandId);

// FIR kind code (`m_nFirType`) that a file-filter or real-time FIR command selects, or -1.
int FirTypeForCommand(int commandId);
// IIR kind code (`m_nIirType`) that a file-filter or real-time IIR command selects, or -1.
int IirTypeForCommand(int commandId);
