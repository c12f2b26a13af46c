#pragma once

#include "document/DocumentUi.h"

#include <QString>

class QWidget;

// The document's messages and file dialogs as Qt message boxes and dialogs.
class CQtDocumentUi : public IDocumentUi {
public:
    explicit CQtDocumentUi(QWidget* parent) : m_parent(parent) {}

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowCaptionedMessage(const std::string& caption, const std::string& text,
                              MessageIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskSaveFileName(const std::string& title,
                                               const std::string& filter) override;
    std::optional<std::string> AskOpenFileName(const std::string& title,
                                               const std::string& filter) override;
    bool OpenWithSystem(const std::string& pathOrUrl) override;
    bool StartProgram(const std::string& program) override;
    void SetWaitCursor(bool on) override;
    // Lets the window repaint during long passes (user input waits until the pass ends).
    bool ReportProgress(long long done, long long total) override;
    // Shows CKaiserDlg (app/dialogs/CKaiserDlg.cpp).
    std::optional<int> AskKaiserBeta(int current) override;
    // Shows CFilterConfirmDlg (app/dialogs/CFilterConfirmDlg.cpp).
    bool AskOkCancel(const std::string& title, const std::string& text) override;
    // Shows CMeasConditionDlg (sound/qt/CMeasConditionDlg.cpp).
    bool AskMeasConditions(CMeasConditions& conditions) override;

private:
    QWidget* m_parent;
};

// Turns the program's "label(*.wav)|*.wav||" filter into a Qt name filter "label(*.wav)".
QString ToQtFilter(const std::string& filter);
