// Writes the seed corpora of the fuzz targets with the program's own writers:
//   make_seeds DIR  creates DIR/open_document, DIR/coef_fir, DIR/coef_iir, DIR/audio_file and
//                   DIR/tube_file.
#include "document/AudioFile.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/MeasurementFile.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "tube/TubeBuiltins.h"
#include "tube/TubeData.h"
#include "tube/TubeFile.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A short wave of `channels` channels and `bits` bits built and saved by the document.
bool WriteWave(const fs::path& path, int channels, int bits, int rate, int frames) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const int bytes = frames * channels * (bits / 8);
    if (!doc.MakeWaveHeader(56, rate, bits, channels - 1, bytes)) return false;
    doc.SetWaveFormat(56, rate, bits, channels - 1, bytes);
    for (int i = 0; i < frames * channels; ++i) {
        const double v = std::sin(0.05 * i);
        if (bits == 8)
            doc.m_pWaveData[i] = static_cast<std::uint8_t>(128 + 100 * v);
        else {
            const auto s = static_cast<std::int16_t>(12000 * v);
            doc.m_pWaveData[2 * i] = static_cast<std::uint8_t>(s & 0xff);
            doc.m_pWaveData[2 * i + 1] = static_cast<std::uint8_t>((s >> 8) & 0xff);
        }
    }
    doc.disp_mode3 = channels == 1 ? chan::Ch1 : chan::Both;
    return doc.OnSaveDocument(path.string());
}

bool WriteMeasurement(const fs::path& path, int kind, int channelMode, int pow) {
    CScriptedUi ui;
    const int n = 1 << (pow + 7);
    std::vector<float> a(static_cast<std::size_t>(n)), b(a.size()), c(a.size()), d(a.size());
    for (int i = 0; i < n; ++i) {
        a[i] = static_cast<float>(std::sin(0.1 * i));
        b[i] = static_cast<float>(std::cos(0.1 * i));
        c[i] = 0.5f * a[i];
        d[i] = 0.25f * b[i];
    }
    MeasurementSource src;
    src.kind = kind;
    src.channelMode = channelMode;
    src.pow = pow;
    src.n = n;
    src.dt = 1.0f / 48000.0f;
    src.wave1 = a.data();
    src.wave2 = b.data();
    src.re = c.data();
    src.im = d.data();
    src.opRe = b.data();
    src.opIm = a.data();
    src.scope = {2, 1, -1, 3, -2};
    return WriteMeasurementData(ui, path.string(), src) == 1;
}

bool WriteAudio(const fs::path& path, std::array<int, 6> flags) {
    CScriptedUi ui;
    AudioFile file;
    file.m_nExp = 1;
    file.m_nValue1 = 48000;
    file.m_nValue2 = 3;
    for (std::size_t i = 0; i < file.m_fConditions.size(); ++i)
        file.m_fConditions[i] = static_cast<float>(i) * 0.5f;
    file.m_nFlags = flags;
    file.m_fCurves.resize(static_cast<std::size_t>(file.CurveCount() * file.CurveLength()));
    for (std::size_t i = 0; i < file.m_fCurves.size(); ++i)
        file.m_fCurves[i] = static_cast<float>(-60.0 + 0.1 * static_cast<double>(i));
    return WriteAudioFile(ui, path.string(), file) == 1;
}

bool WriteCoefFiles(const fs::path& dir) {
    CScriptedUi ui;
    CoefFile file(ui);
    std::vector<double> h(31);
    for (std::size_t i = 0; i < h.size(); ++i)
        h[i] = std::sin(0.3 * (static_cast<double>(i) - 15.0) + 1e-9) /
               (static_cast<double>(i) - 15.0 + 1e-9);
    bool ok = file.WriteFir((dir / "fir.csv").string(), "Win_Kaiser", "LPF", 1000.0, 0.0,
                            static_cast<int>(h.size()), h.data()) == 1;

    BiquadTable iir{}, ana{}, anacr{};
    CrTable cr{};
    for (int k = 0; k < 3; ++k) {
        iir.a0[k] = 1.0;
        iir.a1[k] = -1.2 + 0.1 * k;
        iir.a2[k] = 0.5;
        iir.b0[k] = 0.1;
        iir.b1[k] = 0.2;
        iir.b2[k] = 0.1;
        ana = iir;
        anacr = iir;
        cr.C0[k] = 1e-8;
        cr.C1[k] = 2.2e-9;
        cr.R0[k] = 10000.0;
        cr.R1[k] = 4700.0;
    }
    ui.fileAnswers.push_back((dir / "biquad.csv").string());
    ok = ok && file.WriteIir(0, 0, 0, 2, 1000.0, 0.0, iir, ana, anacr, cr) == 1;
    ui.fileAnswers.push_back((dir / "cascade.csv").string());
    ok = ok && file.WriteIir(3, 3, 0, 6, 1000.0, 0.0, iir, ana, anacr, cr) == 1;
    return ok;
}

// Every built-in tube device as the program saves it.
bool WriteTubeFiles(const fs::path& dir) {
    bool ok = true;
    for (int i = 0; i < tube::kMyTube; ++i) {
        TubeData data;
        ok = ok && tube::BuiltinDevice(i, data) &&
             WriteTubeFile((dir / ("device" + std::to_string(i) + ".csv")).string(), data);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    for (const char* sub : {"open_document", "coef_fir", "coef_iir", "audio_file", "tube_file"})
        fs::create_directories(root / sub);

    const fs::path open = root / "open_document";
    bool ok = WriteWave(open / "stereo16.wav", 2, 16, 48000, 64) &&
              WriteWave(open / "mono8.wav", 1, 8, 8000, 64) &&
              WriteWave(open / "four16.wav", 4, 16, 44100, 16);
    struct Kind {
        const char* name;
        int kind, channelMode;
    };
    for (const Kind& k :
         {Kind{"oper.opr", kind::Spectrum, 0}, Kind{"osc1.opr", kind::Scope, 0},
          Kind{"ops1.opr", kind::Spectrum1, 0}, Kind{"ops2.opr", kind::Spectrum2, 0},
          Kind{"opj1.opr", kind::AutoCorr1, 0}, Kind{"opj2.opr", kind::AutoCorr2, 0},
          Kind{"opso.opr", kind::CrossCorr, 0}})
        ok = ok && WriteMeasurement(open / k.name, k.kind, k.channelMode, 0);

    const fs::path audio = root / "audio_file";
    ok = ok && WriteAudio(audio / "response.opr", {1, 0, 0, 0, 0, 0}) &&
         WriteAudio(audio / "all.opr", {1, 1, 1, 1, 1, 1});

    ok = ok && WriteCoefFiles(root / "coef_fir");
    for (const char* name : {"fir.csv", "biquad.csv", "cascade.csv"})
        fs::copy_file(root / "coef_fir" / name, root / "coef_iir" / name,
                      fs::copy_options::overwrite_existing);
    ok = ok && WriteTubeFiles(root / "tube_file");
    if (!ok) std::fprintf(stderr, "make_seeds: a writer failed\n");
    return ok ? 0 : 1;
}
