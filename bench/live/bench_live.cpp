// The spectrum analyzer's per-block work: the engine's handler with the hand-over to the
// document (copy, play, re-queue, window, two FFTs, magnitudes), and the main view's drawing of
// the live spectrum into an offscreen image. Together they bound the update rate.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "document/ScriptedUi.h"
#include "sound/correlation/CorrPanel.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/spectrum/SpecAnaPanel.h"
#include "sound/spectrum3d/Spec3DPanel.h"
#include "view/DocumentView.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <deque>
#include <vector>

namespace {

// A card whose input buffers are filled on request from a stored tone.
class CBenchCard : public ISoundCard {
public:
    class In : public IWaveIn {
    public:
        In(CBenchCard& card, CompletionQueue& q) : m_card(card), m_queue(q) {}
        std::uint64_t Session() const override { return 7; }
        int Prepare(WaveHeader& h) override { return h.dwFlags |= whdr::Prepared, 0; }
        int Unprepare(WaveHeader& h) override { return h.dwFlags &= ~whdr::Prepared, 0; }
        int AddBuffer(WaveHeader& h) override { return m_queued.push_back(&h), 0; }
        int Start() override { return 0; }
        int Stop() override { return 0; }
        int Reset() override { return m_queued.clear(), 0; }
        int Close() override { return 0; }
        void Fill() {
            WaveHeader* h = m_queued.front();
            m_queued.pop_front();
            const std::vector<std::uint8_t>& tone = m_card.tone;
            for (std::uint32_t k = 0; k < h->dwBufferLength; ++k)
                h->lpData[k] = tone[k % tone.size()];
            h->dwBytesRecorded = h->dwBufferLength;
            m_queue.Post({WaveCompletion::Kind::InputDone, 7, h, {}});
        }

    private:
        CBenchCard& m_card;
        CompletionQueue& m_queue;
        std::deque<WaveHeader*> m_queued;
    };
    class Out : public IWaveOut {
    public:
        std::uint64_t Session() const override { return 8; }
        int Prepare(WaveHeader& h) override { return h.dwFlags |= whdr::Prepared, 0; }
        int Unprepare(WaveHeader& h) override { return h.dwFlags &= ~whdr::Prepared, 0; }
        int Write(WaveHeader&) override { return 0; }
        int Pause() override { return 0; }
        int Restart() override { return 0; }
        int Reset() override { return 0; }
        int Close() override { return 0; }
        long long Underruns() const override { return 0; }
    };

    CBenchCard() {
        for (int i = 0; i < 48000; ++i) {
            const auto v =
                static_cast<std::int16_t>(12000 * std::sin(0.1309 * i) + 3000 * std::sin(0.9 * i));
            for (int c = 0; c < 2; ++c) {
                tone.push_back(static_cast<std::uint8_t>(v & 0xFF));
                tone.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
            }
        }
    }
    std::string Name() const override { return "bench"; }
    int GetInDevCaps(WaveInCaps& caps) override {
        caps.formats = 0xFFF;
        caps.channels = 2;
        return 0;
    }
    bool IsFormatSupported(const WaveFormat&) override { return true; }
    int OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat&, CompletionQueue& q) override {
        auto device = std::make_unique<In>(*this, q);
        m_in = device.get();
        in = std::move(device);
        return 0;
    }
    int OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat&, CompletionQueue*) override {
        out = std::make_unique<Out>();
        return 0;
    }
    void Pause(int) override {}
    void Fill() { m_in->Fill(); }

    std::vector<std::uint8_t> tone;

private:
    In* m_in = nullptr;
};

struct LiveSpectrumRun {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CBenchCard card;
    std::unique_ptr<CSpecAnaPanel> panel;

    explicit LiveSpectrumRun(int downBy) {
        doc.m_nPow = 6; // 8192 points
        doc.m_nMeasRate = 4;
        doc.m_nMeasCh = 1;
        doc.m_nDownExp = downBy == 4 ? -2 : 0;
        doc.m_nWindowType = 4;
        if (!doc.BeginSpectrumAnalyzer(&card, true)) std::abort();
        panel = std::make_unique<CSpecAnaPanel>(doc, card);
        if (!panel->OnStart()) std::abort();
    }
    // One buffer through the handler, always analysed.
    void Block() {
        doc.m_bRealBusy = 0;
        card.Fill();
        panel->Engine().DispatchCompletions();
    }
};

void BM_LiveSpectrumBlock(benchmark::State& state) {
    LiveSpectrumRun run(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        run.Block();
        benchmark::DoNotOptimize(run.doc.m_fRe[100]);
    }
    state.counters["updates"] = static_cast<double>(run.doc.m_nRealUpdates);
}
BENCHMARK(BM_LiveSpectrumBlock)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_LiveSpectrumDraw(benchmark::State& state) {
    LiveSpectrumRun run(1);
    run.Block();
    ViewState view;
    QImage image(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        run.doc.m_bRealBusy = 1;
        image = RenderDocumentView(run.doc, view, image.size());
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_LiveSpectrumDraw)->Unit(benchmark::kMillisecond);

void BM_LiveSpectrumBlockAndDraw(benchmark::State& state) {
    LiveSpectrumRun run(static_cast<int>(state.range(0)));
    ViewState view;
    QImage image;
    for (auto _ : state) {
        run.Block();
        image = RenderDocumentView(run.doc, view, QSize(1000, 700));
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_LiveSpectrumBlockAndDraw)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// The correlation meter's and the 3D spectrum's hand-over at N = 8192, stereo.
enum class Instrument { Correlation, Spectrum3d };

struct InstrumentRun {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CBenchCard card;
    std::unique_ptr<CSpecAnaPanel> panel;

    explicit InstrumentRun(Instrument which) {
        doc.m_nPow = 6; // 8192 points
        doc.m_nMeasRate = 4;
        doc.m_nMeasCh = 1;
        doc.m_nWindowType = 4;
        doc.m_bStopAtEnd3D = 0; // keeps running past the last row
        if (which == Instrument::Correlation) {
            if (!doc.BeginCorrelationMeter(&card, true, true)) std::abort();
            panel = std::make_unique<CCorrPanel>(doc, card);
        } else {
            if (!doc.Begin3dSpectrum(&card, true, true)) std::abort();
            panel = std::make_unique<CSpec3DPanel>(doc, card);
        }
        if (!panel->OnStart()) std::abort();
    }
    void Block() {
        doc.m_bRealBusy = 0;
        card.Fill();
        panel->Engine().DispatchCompletions();
    }
};

void BM_CorrelationBlock(benchmark::State& state) {
    InstrumentRun run(Instrument::Correlation);
    for (auto _ : state) {
        run.Block();
        benchmark::DoNotOptimize(run.doc.m_fRe[100]);
    }
    state.counters["updates"] = static_cast<double>(run.doc.m_nRealUpdates);
}
BENCHMARK(BM_CorrelationBlock)->Unit(benchmark::kMillisecond);

// One 3D frame: the block's two spectra into the current row.
void BM_Spectrum3dFrame(benchmark::State& state) {
    InstrumentRun run(Instrument::Spectrum3d);
    for (auto _ : state) {
        run.Block();
        benchmark::DoNotOptimize(run.doc.m_fRe[100]);
    }
    state.counters["row"] = static_cast<double>(run.doc.m_nRow3D);
}
BENCHMARK(BM_Spectrum3dFrame)->Unit(benchmark::kMillisecond);

// The finished 3D picture of 400 stored rows of 4096 bins in both channels, drawn again as a
// change of the control dialog draws it (arg 0 linear, 1 logarithmic axis).
void BM_Spectrum3dRedraw400(benchmark::State& state) {
    InstrumentRun run(Instrument::Spectrum3d);
    for (int r = 0; r < limits::kHistoryRows3D; ++r) run.Block();
    run.panel->Close();
    run.doc.m_nRow3D = limits::kHistoryRows3D;
    run.doc.m_bLogAxis = static_cast<int>(state.range(0));
    run.doc.disp_mode1 = kind::Spectrum3dFinished;
    ViewState view;
    QImage image;
    for (auto _ : state) {
        image = RenderDocumentView(run.doc, view, QSize(1000, 1000));
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Spectrum3dRedraw400)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
