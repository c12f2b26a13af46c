// sonalyx-cli play: plays a WAV file through a sound card, as the document's "再生" does.
#include "cli/CliDocument.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/playback/DeviceWavePlayer.h"

namespace {
const std::string kUsage = std::string("play WAV ") + kLiveDeviceUsage +
                           " [--record REC.wav]   play a recording on a sound card";
} // namespace

SONALYX_CLI_COMMAND("play", kUsage, args, ctx) {
    if (args.Positional().size() != 1) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(args.Positional()[0])) return 1;
    CDeviceWavePlayer player([&] { return runner.Card(); });
    const std::string record = args.GetOr("record", "");
    if (!record.empty())
        player.SetPlayTap([&](const std::uint8_t* data, std::size_t bytes) {
            runner.Recorder().SetFormat(player.Format());
            runner.Recorder().Append(data, bytes);
        });
    doc->SetWavePlayer(&player);
    const std::size_t messages = ctx.ui.messages.size();
    doc->OnPlay(false);
    if (ctx.ui.messages.size() != messages) return 1;
    while (player.IsPlaying())
        if (!player.RunOnce(std::chrono::seconds(10))) {
            ctx.err << "サウンドカードから応答がありません。再生を停止しました。\n";
            player.Stop();
            return 1;
        }
    doc->SetWavePlayer(nullptr);
    if (!record.empty() && !runner.Recorder().Write(record)) {
        ctx.err << "cannot write " << record << "\n";
        return 1;
    }
    return 0;
}
