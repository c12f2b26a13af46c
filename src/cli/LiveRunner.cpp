#include "cli/LiveRunner.h"

#include "document/CKymoDoc.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundDuplex.h"

bool CLiveRunner::OpenCard(const CliArgs& args) {
    SoundDeviceChoice choice;
    choice.device = args.GetOr("device", "");
    choice.dut = args.GetOr("dut", "");
    if (choice.device.empty()) choice = EffectiveSoundDevice(choice);
    if (args.Has("dut") && choice.device.empty()) choice.device = "virtual";
    std::string error;
    m_card = CreateSoundCard(choice, VirtualClock::Fast, error);
    if (!m_card && !error.empty()) {
        m_ctx.err << error << "\n";
        return false;
    }
    return true;
}

void CLiveRunner::AttachDocument(CKymoDoc& doc) {
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
