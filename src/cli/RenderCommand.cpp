// sonalyx-cli render FILE: draws the main view of an opened file into a PNG.
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "cli/RenderPng.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"

SONALYX_CLI_COMMAND("render",
                    "render FILE [--kind-mode realimag|magphase|logmag] [--size WxH] -o OUT.png"
                    "   draw the main view of FILE",
                    args, ctx) {
    const auto out = args.Get("o");
    if (args.Positional().size() != 1 || !out || out->empty()) {
        ctx.err << "usage: sonalyx-cli render FILE [--kind-mode realimag|magphase|logmag] "
                   "[--size WxH] -o OUT.png\n";
        return 2;
    }
    int presentation = -1;
    if (const auto mode = args.Get("kind-mode")) {
        if (*mode == "realimag")
            presentation = present::RealImag;
        else if (*mode == "magphase")
            presentation = present::MagPhase;
        else if (*mode == "logmag")
            presentation = present::LogMagAuto;
        else {
            ctx.err << "invalid --kind-mode " << *mode << " (realimag, magphase or logmag)\n";
            return 1;
        }
    }
    const auto size = ParseRenderSize(args, ctx);
    if (!size) return 1;
    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(args.Positional()[0])) return 1;
    if (presentation >= 0) doc->disp_mode2 = presentation;
    return WriteViewPng(*doc, *out, *size, ctx);
}
