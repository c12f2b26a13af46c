// Desktop handlers of the window menu, "FFT(&F)", "IFT(&I)" and the result save command.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "dsp/WindowKinds.h"

SONALYX_APP_COMMAND(cmd::ID_WIN_TRIANGLE, ctx) {
    ctx.doc.OnWindowCommand(wnd::Triangle);
}
SONALYX_APP_COMMAND(cmd::ID_WIN_HANNING, ctx) {
    ctx.doc.OnWindowCommand(wnd::Hanning);
}
SONALYX_APP_COMMAND(cmd::ID_WIN_HAMMING, ctx) {
    ctx.doc.OnWindowCommand(wnd::Hamming);
}
SONALYX_APP_COMMAND(cmd::ID_WIN_BLACKMAN, ctx) {
    ctx.doc.OnWindowCommand(wnd::Blackman);
}
SONALYX_APP_COMMAND(cmd::ID_WIN_KAISER, ctx) {
    ctx.doc.OnWindowCommand(wnd::Kaiser);
}
SONALYX_APP_COMMAND(cmd::ID_WIN_WITHOUT, ctx) {
    ctx.doc.OnWindowWithout();
}
SONALYX_APP_COMMAND(cmd::ID_FFT, ctx) {
    ctx.doc.OnFft();
}
SONALYX_APP_COMMAND(cmd::ID_IFT, ctx) {
    ctx.doc.OnIft();
}
SONALYX_APP_COMMAND(cmd::ID_SAVE_RESULT, ctx) {
    ctx.doc.OnSaveResult();
}
SONALYX_APP_COMMAND(cmd::ID_SAVE_RESULT_TB, ctx) {
    ctx.doc.OnSaveResult();
}
