#pragma once

#include "cli/CliCommand.h"
#include "sound/devices/SoundCardFactory.h"
#include "sound/playback/WavRecorder.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CKymoDoc;
class ISoundCard;
class SoundDuplex;

// What every `live` sub-command and `play` share: the card from --device/--dut (the virtual
// card runs on its own clock, as fast as the processing allows, or with --realtime by the wall
// clock while the main view is drawn offscreen at every update, as the desktop program does),
// the engine loop, --record, and --stats (updates per second and output gaps of the run).
class CLiveRunner {
public:
    explicit CLiveRunner(CliContext& ctx) : m_ctx(ctx) {}

    // Reads --device and --dut and makes the card. False (reported) when it cannot be made; a
    // run with no card at all goes on with none, and the instrument's set-up reports it.
    bool OpenCard(const CliArgs& args);
    ISoundCard* Card() { return m_card.get(); }

    // The document's redraws are drawn at once (really drawn with --realtime): the view is
    // never busy. Counts the redraws.
    void AttachDocument(CKymoDoc& doc);
    long long Redraws() const { return m_redraws; }

    // Records every buffer the engine plays when --record was given.
    void RecordFrom(SoundDuplex& engine, const CliArgs& args);
    // Writes the recording (if any). False (reported) when it cannot be written.
    bool WriteRecording();
    CWavRecorder& Recorder() { return m_recorder; }

    // Drives `engine` until `done()`. 0 when done; 1 when the engine stopped (a lost device) or
    // the card gave nothing for `silence` (reported).
    int Drive(SoundDuplex& engine, const std::function<bool()>& done,
              std::chrono::milliseconds silence = std::chrono::seconds(10));

    // With --stats: prints the run's figures (updates, seconds, updates per second, output gaps).
    void PrintStats(const SoundDuplex& engine) const;

private:
    CliContext& m_ctx;
    bool m_bRealTime = false;
    bool m_bStats = false;
    std::chrono::steady_clock::time_point m_started;
    std::unique_ptr<ISoundCard> m_card;
    long long m_redraws = 0;
    std::string m_recordPath;
    CWavRecorder m_recorder;
};

// The usage text of the device options.
inline constexpr const char* kLiveDeviceUsage =
    "[--device virtual|INDEX|NAME] [--dut TEXT] [--realtime] [--stats]";
