#pragma once

#include <QMainWindow>
#include <memory>

#include "app/RecentFileList.h"
#include "document/CommandRules.h"

class CAppSound;
class CCommandActions;
class CKymoDoc;
class CKymoView;
class CMainStatusBar;
class IDocumentUi;
class QAction;
class QToolBar;

// The main window: the menus and the toolbar built from the command data, the status bar, the
// view of the one document and the window's stored placement. Every command goes through
// OnCommand: the handler registered for its id runs (AppCommands.h), or a message says that
// the function is not built yet.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // `ui` answers the document's messages and questions; nullptr uses message boxes and file
    // dialogs. An injected ui must outlive the frame.
    explicit CMainFrame(IDocumentUi* ui = nullptr);
    ~CMainFrame() override;

    CKymoDoc& Document() { return *m_doc; }
    CKymoView& View() { return *m_view; }
    IDocumentUi& Ui() { return *m_pUi; }
    QToolBar& ToolBar() { return *m_toolBar; }
    CMainStatusBar& StatusBar() { return *m_statusBar; }
    CRecentFileList& RecentFiles() { return m_recent; }
    // The sound card of the instruments and the wave player.
    CAppSound& Sound() { return *m_sound; }
    // The action of a command id (shared by its menu items and toolbar button), or nullptr.
    QAction* CommandAction(int id) const;

    // Runs a command as its menu item would, when its rule enables it.
    void OnCommand(int id);
    // Enabled and checked state of a command: the document's rule, plus the frame's own
    // commands (toolbar and status-bar toggles, recent files).
    CommandState GetState(int id) const;
    // Brings every action's enabling and check mark up to date.
    void UpdateCommandStates();

    // Opens a file through the document's open path; on success it becomes the first recent
    // file and names the window.
    bool OpenDocumentFile(const QString& path);
    // Opens entry `index` (0-based) of the recent-file list; an entry that fails is dropped.
    void OpenRecentFile(int index);
    // Writes the wave image to its file, or asks for a name first when `askName` is set or the
    // document has no file yet.
    bool SaveDocument(bool askName);
    // New empty document title (the buffers stay as they are).
    void OnFileNew();

    // Stored placement applied at construction: show the window as it was left.
    void ShowWithPlacement();
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnDocumentUpdated();
    void RefreshRecentMenu();

    std::unique_ptr<IDocumentUi> m_ownUi;
    IDocumentUi* m_pUi;
    // Goes after the document, whose player it holds.
    std::unique_ptr<CAppSound> m_sound;
    std::unique_ptr<CKymoDoc> m_doc;
    CKymoView* m_view = nullptr;
    CCommandActions* m_actions = nullptr;
    QToolBar* m_toolBar = nullptr;
    CMainStatusBar* m_statusBar = nullptr;
    CRecentFileList m_recent;
    bool m_bStartMaximized = false;
    bool m_bUntitled = true;
};
