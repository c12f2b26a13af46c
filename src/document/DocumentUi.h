#pragma once

#include <optional>
#include <string>

class CMeasConditions;

enum class MessageIcon { None, Information, Warning, Error, Question };

// Everything the document says to or asks of the user. The desktop program answers with
// message boxes and file dialogs, the command-line front end from its arguments, and tests
// with a recording fake. Texts are UTF-8.
class IDocumentUi {
public:
    virtual ~IDocumentUi() = default;

    // A modal message box.
    virtual void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None) = 0;
    // A modal message box under the caption `caption`.
    virtual void ShowCaptionedMessage(const std::string& caption, const std::string& text,
                                      MessageIcon icon) {
        ShowMessage(text, icon);
    }
    // A yes/no question; true for yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A save-file dialog. `filter` is in the program's "label(*.ext)|*.ext||" form;
    // returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> AskSaveFileName(const std::string& title,
                                                       const std::string& filter) = 0;
    // An open-file dialog, as above.
    virtual std::optional<std::string> AskOpenFileName(const std::string& title,
                                                       const std::string& filter) = 0;
    // Opens a document (manual, web page) with the program the desktop associates with it.
    virtual bool OpenWithSystem(const std::string& pathOrUrl) = 0;
    // Starts an external program, maximised where the desktop supports it.
    virtual bool StartProgram(const std::string& program) = 0;
    // Long work: called with done/total from time to time; returning false asks to stop.
    virtual bool ReportProgress(long long done, long long total) { return true; }
    virtual void SetWaitCursor(bool on) {}

    // ---- Window parameters ----
    // The Kaiser window dialog "ｶｲｻﾞｰ窓", initialised with `current`; the integer beta on OK,
    // nothing on cancel.
    virtual std::optional<int> AskKaiserBeta(int current) { return std::nullopt; }

    // ---- Measurement conditions "測定条件の設定" ----
    // Shows the conditions; true for OK (the choices are left in `conditions`), false for
    // Cancel. Without a dialog the conditions are taken as they are.
    virtual bool AskMeasConditions(CMeasConditions& conditions) { return true; }

    // ---- Confirmation dialogs (file filtering) ----
    // A modal question with OK and Cancel under a title; true for OK.
    virtual bool AskOkCancel(const std::string& title, const std::string& text) {
        return AskYesNo(text);
    }
};
