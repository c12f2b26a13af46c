// Desktop handlers of the submenu "エクスポート" and of the coherence trace of "結果の表示(&K)".
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/ResultExport.h"
#include "filters/CoefExport.h"

SONALYX_APP_COMMAND(cmd::ID_EXPORT_FRD, ctx) {
    OnExportResponse(ctx.doc, ResponseFormat::Frd);
}
SONALYX_APP_COMMAND(cmd::ID_EXPORT_REW, ctx) {
    OnExportResponse(ctx.doc, ResponseFormat::Rew);
}
SONALYX_APP_COMMAND(cmd::ID_EXPORT_IMPULSE_WAV, ctx) {
    OnExportImpulseWave(ctx.doc);
}
SONALYX_APP_COMMAND(cmd::ID_EXPORT_FIR_WAV, ctx) {
    OnExportCoefImpulseWave(ctx.doc);
}
SONALYX_APP_COMMAND(cmd::ID_EXPORT_HEADER, ctx) {
    OnExportCoefHeader(ctx.doc, false);
}
SONALYX_APP_COMMAND(cmd::ID_EXPORT_HEADER_CMSIS, ctx) {
    OnExportCoefHeader(ctx.doc, true);
}
SONALYX_APP_COMMAND(cmd::ID_VIEW_COHERENCE, ctx) {
    ctx.doc.OnToggleCoherence();
}
