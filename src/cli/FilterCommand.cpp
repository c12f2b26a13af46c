// sonalyx-cli filter: the file-filtering run with a coefficient file, confirmed, saved as WAV.
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "document/CKymoDoc.h"
#include "filters/CoefFile.h"
#include "filters/FileFilterCommands.h"

SONALYX_CLI_COMMAND("filter",
                    "filter WAV --coef COEF.csv [--channel 1|2|both] -o OUT.wav   "
                    "filter a wave with an FIR or IIR coefficient file",
                    args, ctx) {
    const auto coef = args.Get("coef");
    const auto out = args.Get("o");
    if (args.Positional().size() != 1 || !coef || coef->empty() || !out || out->empty()) {
        ctx.err << "usage: sonalyx-cli filter WAV --coef COEF.csv [--channel 1|2|both] -o "
                   "OUT.wav\n";
        return 2;
    }
    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(args.Positional()[0])) return 1;
    if (args.Has("channel")) {
        const std::string c = args.GetOr("channel", "");
        const int channel = c == "1" ? 1 : c == "2" ? 2 : c == "both" ? 3 : 0;
        if (channel == 0) {
            ctx.err << "--channel must be 1, 2 or both\n";
            return 2;
        }
        if (channel > 1 && doc->m_nChannel < 2) {
            ctx.err << "--channel " << c << " needs a stereo wave\n";
            return 1;
        }
        doc->OnSelectChannel(channel);
    }
    // The open dialog and the confirmation are answered from the command line.
    ctx.ui.fileAnswers.push_back(*coef);
    ctx.ui.yesNoAnswers.push_back(true);
    const int kept =
        PeekCoefSectionType(*coef) == 0 ? OnFilterIirCoefFile(*doc) : OnFilterFirCoefFile(*doc);
    if (kept != 1) return 1;
    if (!doc->OnSaveDocument(*out)) {
        ctx.err << "cannot write " << *out << "\n";
        return 1;
    }
    return 0;
}
