// Desktop handlers of the presentation commands of "結果の表示(&K)" and of printing.
#include "app/AppCommands.h"
#include "app/CKymoView.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"

namespace {

CKymoView* View(AppCommandContext& ctx) {
    return CKymoView::ViewOf(ctx.doc);
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_VIEW_REAL_IMAGE, ctx) {
    if (CKymoView* v = View(ctx)) v->OnRealImage();
}
SONALYX_APP_COMMAND(cmd::ID_VIEW_MAG_PHASE, ctx) {
    if (CKymoView* v = View(ctx)) v->OnMagPhase();
}
SONALYX_APP_COMMAND(cmd::ID_VIEW_LOG_MAG, ctx) {
    if (CKymoView* v = View(ctx)) v->OnLogMag();
}
SONALYX_APP_COMMAND(cmd::ID_VIEW_LOG_REAL, ctx) {
    if (CKymoView* v = View(ctx)) v->OnUnsupportedPresentation();
}
SONALYX_APP_COMMAND(cmd::ID_VIEW_NYQUIST, ctx) {
    if (CKymoView* v = View(ctx)) v->OnUnsupportedPresentation();
}
SONALYX_APP_COMMAND(cmd::ID_FILE_PRINT, ctx) {
    if (CKymoView* v = View(ctx)) v->OnFilePrint();
}
SONALYX_APP_COMMAND(cmd::ID_FILE_PRINT_PREVIEW, ctx) {
    if (CKymoView* v = View(ctx)) v->OnFilePrintPreview();
}
SONALYX_APP_COMMAND(cmd::ID_FILE_PRINT_SETUP, ctx) {
    if (CKymoView* v = View(ctx)) v->OnFilePrintSetup();
}
