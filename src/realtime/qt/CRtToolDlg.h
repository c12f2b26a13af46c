#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CKymoDoc;
class ISoundCard;
class CRtFilterTool;
class CRtPanelWidget;
class QBoxLayout;
class QLineEdit;
class QWidget;

// The frame of the real-time filter panels: a modal panel without a system menu with the tool's
// own design controls on the left and the common controls (CRtPanelWidget) on the right. It
// owns the tool; "終了", Escape and closing the window close the tool (stopping the sound and
// settling the document) and end the dialog.
class CRtToolDlg : public QDialog {
    Q_OBJECT
public:
    ~CRtToolDlg() override;

    CRtPanelWidget& Panel() { return *m_panel; }
    CRtFilterTool& Tool() { return *m_tool; }
    void reject() override;
    // "終了".
    void OnStop();
    // Shows the tool's values again (derived dialogs add their own fields).
    virtual void Refresh();

protected:
    // Takes the tool; `displays` are the display list's entries; `channels` the channel entries.
    CRtToolDlg(CKymoDoc& doc, std::unique_ptr<CRtFilterTool> tool, const QString& title,
               const QStringList& displays, int channels, QWidget* parent);
    // Where the derived dialog puts its design controls.
    QBoxLayout* DesignArea() { return m_design; }
    // Closing of the tool, before the dialog ends (the Remez panels close theirs quietly).
    virtual void CloseTool();
    void showEvent(QShowEvent* event) override;

    CKymoDoc& m_doc;

private:
    std::unique_ptr<CRtFilterTool> m_tool;
    CRtPanelWidget* m_panel;
    QBoxLayout* m_design;
    bool m_bClosing = false;
};

// An edit for a number, named `name`, showing `value`.
QLineEdit* RtNumberEdit(const char* name, double value);
double RtNumber(const QLineEdit* edit);
// Selects and focuses an edit after a failed check.
void RtFocus(QLineEdit* edit);
// A fixed-size picture area (229 x 90 by default) drawn by `paint`, named `name`.
QWidget* RtPicture(const char* name, std::function<void(class QPainter&, const QRect&)> paint,
                   QSize size = QSize(229, 90));
