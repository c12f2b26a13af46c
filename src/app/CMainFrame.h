#pragma once

#include <QMainWindow>
#include <memory>

class CKymoDoc;
class CQtDocumentUi;

// The main window: menus, toolbar, status bar and the view of the one document.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    CKymoDoc& Document() { return *m_doc; }
    bool OpenDocumentFile(const QString& path);

private:
    std::unique_ptr<CQtDocumentUi> m_ui;
    std::unique_ptr<CKymoDoc> m_doc;
};
