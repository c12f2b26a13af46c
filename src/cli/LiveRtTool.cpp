#include "cli/LiveRtTool.h"

#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "realtime/RtFilterTool.h"
#include "sound/playback/WavRecorder.h"

#include <cmath>
#include <map>

bool ChooseCliValue(const CliArgs& args, const std::string& name,
                    const std::map<std::string, int>& map, int& value, CliContext& ctx) {
    const auto text = args.Get(name);
    if (!text) return true;
    const auto it = map.find(*text);
    if (it == map.end()) {
        ctx.err << "--" << name << ": unknown value: " << *text << "\n";
        return false;
    }
    value = it->second;
    return true;
}

bool ApplyRtBufferOption(const CliArgs& args, CKymoDoc& doc, CliContext& ctx) {
    return ChooseCliValue(args, "buffer", {{"large", 0}, {"medium", 1}, {"small", 2}},
                          doc.m_nBufferSize, ctx);
}

bool ApplyRtPanelOptions(const CliArgs& args, CRtFilterTool& tool, CliContext& ctx) {
    int rate = tool.RateIndex();
    int channel = tool.Panel().channelIndex;
    int lineOut = tool.Panel().lineOut;
    int source = tool.Panel().generator ? 1 : 0;
    if (!ChooseCliValue(args, "rate", {{"44100", 0}, {"48000", 1}, {"96000", 2}}, rate, ctx) ||
        !ChooseCliValue(args, "channel", {{"1", 0}, {"2", 1}, {"both", 2}, {"non", 3}}, channel,
                        ctx) ||
        !ChooseCliValue(args, "lineout", {{"normal", 0}, {"sum", 1}, {"product", 2}}, lineOut,
                        ctx) ||
        !ChooseCliValue(args, "source", {{"line", 0}, {"gen", 1}}, source, ctx))
        return false;
    tool.SetRateIndex(rate);
    tool.SetChannel(channel);
    tool.SetLineOut(lineOut);
    tool.SetSource(source == 1);
    tool.SetGainFixed(args.Has("fixed"));
    if (args.Has("gain")) {
        const auto g = CliInt(args, "gain", ctx);
        if (!g) return false;
        if (*g < -20 || *g > 20) {
            ctx.err << "--gain: -20 ... 20 dB\n";
            return false;
        }
        tool.SetGain(*g);
    }
    if (args.Has("level")) {
        const auto level = CliInt(args, "level", ctx);
        if (!level) return false;
        if (*level < 0 || *level > 100) {
            ctx.err << "--level: 0 ... 100 dB below full scale\n";
            return false;
        }
        tool.SetLevel(*level);
    }
    return true;
}

int RunLiveTool(const CliArgs& args, CliContext& ctx, CLiveRunner& runner,
                const LiveToolRun& tool) {
    const auto seconds = CliNumber(args, "seconds", ctx);
    if (!seconds) return 2;
    if (!(*seconds > 0.0)) {
        ctx.err << "--seconds must be positive\n";
        return 2;
    }
    SoundDuplex& engine = tool.engine;
    runner.RecordFrom(engine, args);
    long long frames = 0;
    int rc = 1;
    if (tool.start()) {
        const double target = std::ceil(*seconds * tool.rate);
        const auto played = [&] {
            const int frameBytes = std::max(1, static_cast<int>(engine.Format().blockAlign));
            return engine.Stats().buffers * static_cast<long long>(engine.BufferBytes()) /
                   frameBytes;
        };
        rc = runner.Drive(engine, [&] { return played() >= target; });
        frames = played();
        ctx.out << "buffers=" << engine.Stats().buffers << "\nframes=" << frames
                << "\nhanded_over=" << engine.Stats().handedOver << "\nload=" << tool.load()
                << "\n";
        runner.PrintStats(engine);
        if (rc == 0 && tool.beforeClose && !tool.beforeClose()) rc = 1;
    }
    tool.close();
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}

int RunRtTool(const CliArgs& args, CliContext& ctx, CLiveRunner& runner, CRtFilterTool& tool,
              const std::function<bool()>& start) {
    CRtFilterEngine& engine = tool.Engine();
    CWavRecorder input;
    const std::string inputPath = args.GetOr("record-input", "");
    if (!inputPath.empty())
        engine.SetFilterInputTap([&input, &engine](const std::uint8_t* data, std::size_t bytes) {
            input.SetFormat(engine.Format());
            input.Append(data, bytes);
        });
    int rc = RunLiveTool(args, ctx, runner,
                         {engine, tool.Rate(), start, nullptr, [&tool] { tool.Close(); },
                          [&tool] { return tool.LoadPercent(); }});
    if (rc != 2 && !inputPath.empty() && !input.Write(inputPath)) {
        ctx.err << "cannot write " << inputPath << "\n";
        rc = 1;
    }
    return rc;
}
