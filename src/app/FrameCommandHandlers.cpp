// Desktop handlers of the framework commands: File New/Open/Save/Save As, the
// recent files, Exit, the toolbar and status-bar toggles and the version dialog.
#include "app/AppCommands.h"
#include "app/CMainFrame.h"
#include "app/dialogs/CVersionInfoDlg.h"
#include "document/CommandIds.h"
#include "document/DocumentUi.h"

#include <QStatusBar>
#include <QToolBar>

SONALYX_APP_COMMAND(cmd::ID_FILE_NEW, ctx) {
    ctx.frame.OnFileNew();
}

SONALYX_APP_COMMAND(cmd::ID_FILE_OPEN, ctx) {
    const auto path = ctx.frame.Ui().AskOpenFileName(
        "開く", "波形データー(*.wav)|*.wav|測定データー(*.opr)|*.opr|すべてのﾌｧｲﾙ (*.*)|*.*||");
    if (path) ctx.frame.OpenDocumentFile(QString::fromStdString(*path));
}

SONALYX_APP_COMMAND(cmd::ID_FILE_SAVE, ctx) {
    ctx.frame.SaveDocument(false);
}

SONALYX_APP_COMMAND(cmd::ID_FILE_SAVE_AS, ctx) {
    ctx.frame.SaveDocument(true);
}

SONALYX_APP_COMMAND(cmd::ID_FILE_MRU_FILE1, ctx) {
    ctx.frame.OpenRecentFile(0);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_MRU_FILE1 + 1, ctx) {
    ctx.frame.OpenRecentFile(1);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_MRU_FILE1 + 2, ctx) {
    ctx.frame.OpenRecentFile(2);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_MRU_FILE1 + 3, ctx) {
    ctx.frame.OpenRecentFile(3);
}

SONALYX_APP_COMMAND(cmd::ID_APP_EXIT, ctx) {
    ctx.frame.close();
}

SONALYX_APP_COMMAND(cmd::ID_VIEW_TOOLBAR, ctx) {
    QToolBar& bar = ctx.frame.ToolBar();
    bar.setVisible(bar.isHidden());
}

SONALYX_APP_COMMAND(cmd::ID_VIEW_STATUS_BAR, ctx) {
    QStatusBar* bar = ctx.frame.statusBar();
    bar->setVisible(bar->isHidden());
}

SONALYX_APP_COMMAND(cmd::ID_APP_ABOUT, ctx) {
    CVersionInfoDlg dlg(ctx.frame.Ui(), ctx.parent);
    dlg.exec();
}
