// sonalyx-cli export: results and coefficient files for other programs, through the same
// operations as the menu "エクスポート".
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ResultExport.h"
#include "filters/CoefExport.h"
#include "filters/CoefFile.h"

namespace {

constexpr const char* kUsage =
    "usage: sonalyx-cli export frd|rew|irwav|sos-header INPUT -o OUT [--channel 1|2] "
    "[--rate HZ] [--cmsis]\n";
constexpr int kDefaultFirRate = 48000;

bool IsCoefFile(const std::string& path) {
    return PeekCoefSectionType(path) >= 0;
}

} // namespace

SONALYX_CLI_COMMAND("export",
                    "export frd|rew|irwav|sos-header INPUT -o OUT [--channel 1|2] [--rate HZ] "
                    "[--cmsis]   a result (.opr) or coefficient file (.csv) as FRD, REW text, "
                    "impulse-response WAV or C header",
                    args, ctx) {
    if (args.Positional().size() != 2 || !args.Has("o")) {
        ctx.err << kUsage;
        return 2;
    }
    const std::string what = args.Positional()[0];
    const std::string input = args.Positional()[1];
    const std::string out = args.GetOr("o", "");
    if (what != "frd" && what != "rew" && what != "irwav" && what != "sos-header") {
        ctx.err << kUsage;
        return 2;
    }
    const auto channelOption = CliChannel(args, ctx);
    if (!channelOption) return 1;
    const int channel = *channelOption;

    if (what == "sos-header")
        return ExportCoefHeaderTo(ctx.ui, input, out, args.Has("cmsis")) ? 0 : 1;
    if (what == "irwav" && IsCoefFile(input)) {
        int rate = kDefaultFirRate;
        if (args.Has("rate")) {
            const auto r = CliInt(args, "rate", ctx);
            if (!r) return 1;
            rate = *r;
        }
        return ExportCoefImpulseWaveTo(ctx.ui, input, rate, out) ? 0 : 1;
    }

    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(input)) return 1;
    if (channel == 2 && doc->disp_mode1 != kind::Spectrum2) {
        ctx.err << "--channel: only a two-channel spectrum has a second channel\n";
        return 1;
    }
    if (what == "irwav") return ExportImpulseWaveTo(*doc, out) ? 0 : 1;
    const ResponseFormat format = what == "frd" ? ResponseFormat::Frd : ResponseFormat::Rew;
    return ExportResponseTo(*doc, format, out, channel) ? 0 : 1;
}
