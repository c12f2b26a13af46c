// Desktop handlers of "ﾍﾞﾝﾁﾏｰｸﾃｽﾄ(&B)" and its toolbar button.
#include "app/AppCommands.h"
#include "document/CommandIds.h"
#include "utilities/qt/CBenchmarkDlg.h"

SONALYX_APP_COMMAND(cmd::ID_BENCHMARK, ctx) {
    CBenchmarkDlg dlg(ctx.doc, ctx.parent);
    dlg.exec();
}
SONALYX_APP_COMMAND(cmd::ID_BENCHMARK_TB, ctx) {
    CBenchmarkDlg dlg(ctx.doc, ctx.parent);
    dlg.exec();
}
