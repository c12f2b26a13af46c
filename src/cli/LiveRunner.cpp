#include "cli/LiveRunner.h"

#include "cli/RenderPng.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/portaudio/PortAudioCardMaker.h"
#include "view/DocumentView.h"

#include <cstdio>

bool CLiveRunner::OpenCard(const CliArgs& args) {
    SoundDeviceChoice choice;
    choice.device = args.GetOr("device", "");
    choice.dut = args.GetOr("dut", "");
    if (choice.device.empty()) choice = EffectiveSoundDevice(choice);
    if (args.Has("dut") && choice.device.empty()) choice.device = "virtual";
    m_bRealTime = args.Has("realtime");
    m_bStats = args.Has("stats");
    InstallPortAudioCards();
    std::string error;
    m_card =
        CreateSoundCard(choice, m_bRealTime ? VirtualClock::RealTime : VirtualClock::Fast, error);
    if (!m_card && !error.empty()) {
        m_ctx.err << error << "\n";
        return false;
    }
    return true;
}

void CLiveRunner::AttachDocument(CKymoDoc& doc) {
    if (m_bRealTime) {
        EnsureGuiApplication();
        auto view = std::make_shared<ViewState>();
        doc.SetUpdateListener([this, &doc, view] {
            ++m_redraws;
            RenderDocumentView(doc, *view, QSize(1000, 700));
            doc.m_bRealBusy = 0;
        });
        return;
    }
    doc.SetUpdateListener([this, &doc] {
        ++m_redraws;
        doc.m_bRealBusy = 0;
    });
}

void CLiveRunner::RecordFrom(SoundDuplex& engine, const CliArgs& args) {
    if (!args.Has("record")) return;
    m_recordPath = args.GetOr("record", "");
    engine.SetPlayTap([this, &engine](const std::uint8_t* data, std::size_t bytes) {
        m_recorder.SetFormat(engine.Format());
        m_recorder.Append(data, bytes);
    });
}

bool CLiveRunner::WriteRecording() {
    if (m_recordPath.empty()) return true;
    if (!m_recorder.Write(m_recordPath)) {
        m_ctx.err << "cannot write " << m_recordPath << "\n";
        return false;
    }
    return true;
}

int CLiveRunner::Drive(SoundDuplex& engine, const std::function<bool()>& done,
                       std::chrono::milliseconds silence) {
    m_started = std::chrono::steady_clock::now();
    while (!done()) {
        if (!engine.IsRunning()) return 1;
        if (!engine.RunOnce(silence)) {
            m_ctx.err << "サウンドカードから応答がありません。測定を停止しました。\n";
            engine.StopRSound();
            return 1;
        }
    }
    return 0;
}

void CLiveRunner::PrintStats(const SoundDuplex& engine) const {
    if (!m_bStats) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    char line[200];
    std::snprintf(line, sizeof line,
                  "updates=%lld seconds=%.2f updates_per_second=%.1f buffers=%lld "
                  "skipped_busy=%lld output_underruns=%lld\n",
                  m_redraws, seconds, seconds > 0 ? m_redraws / seconds : 0.0,
                  engine.Stats().buffers, engine.Stats().skippedBusy, engine.OutputUnderruns());
    m_ctx.out << line;
}
