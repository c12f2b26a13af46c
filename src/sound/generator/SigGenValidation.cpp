#include "sound/generator/SigGenValidation.h"

#include "document/DocumentUi.h"
#include "sound/generator/SigGenMessages.h"

namespace {

std::optional<SigGenBox> Fail(IDocumentUi& ui, const char* text, SigGenBox box) {
    ui.ShowMessage(text);
    return box;
}

} // namespace

std::optional<SigGenBox> ValidateSigGen(SigGenSettings& s, IDocumentUi& ui) {
    using What = SigGenBox::What;
    if (!s.stereo) s.CopyCh1ToCh2();
    if (s.recordSeconds < siggen::kMinSeconds || s.recordSeconds > siggen::kMaxSeconds)
        return Fail(ui, siggenmsg::kBadSeconds, {What::Seconds, 0, 0});
    for (int g = 0; g < siggen::kSines; ++g)
        for (int pair = 0; pair < 2; ++pair) {
            const int f = s.source[g].freq[pair];
            if (f <= 0 || f > s.rate / 2)
                return Fail(ui, siggenmsg::kBadSineFreq, {What::Freq, g, pair});
        }
    for (int g = 0; g < siggen::kSources; ++g)
        for (int pair = 0; pair < 2; ++pair) {
            const int level = s.source[g].level[pair];
            if (level < siggen::kMinLevel || level > 0)
                return Fail(ui, siggenmsg::kBadLevel, {What::Level, g, pair});
        }
    for (int pair = 0; pair < 2; ++pair) {
        const int f = s.source[siggen::kSquare].freq[pair];
        if (f <= 0 || f > siggen::kMaxSquareFreq)
            return Fail(ui, pair == 0 ? siggenmsg::kBadSquareFreq1 : siggenmsg::kBadSquareFreq2,
                        {What::Freq, siggen::kSquare, pair});
    }
    return std::nullopt;
}
