// sonalyx-cli devices: the sound devices an instrument can run on, one per line.
#include "cli/CliCommand.h"
#include "sound/portaudio/SoundDevices.h"

#include <algorithm>
#include <sstream>

namespace {

// A device's fields, tab-separated: INDEX NAME HOST-API IN OUT RATE.
std::string DeviceLine(const SoundDeviceInfo& d) {
    auto field = [](std::string text) {
        std::replace(text.begin(), text.end(), '\t', ' ');
        return text;
    };
    std::ostringstream line;
    line << d.index << '\t' << field(d.name) << '\t' << field(d.hostApi) << '\t'
         << d.maxInputChannels << '\t' << d.maxOutputChannels << '\t' << d.defaultSampleRate;
    return line.str();
}

} // namespace

SONALYX_CLI_COMMAND("devices",
                    "devices              list the sound devices: 'virtual' (the virtual card), "
                    "then one line INDEX<tab>NAME<tab>HOST-API<tab>IN<tab>OUT<tab>RATE per "
                    "PortAudio device",
                    args, ctx) {
    if (!args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli devices\n";
        return 2;
    }
    ctx.out << "virtual\n";
    for (const auto& d : ListSoundDevices()) ctx.out << DeviceLine(d) << "\n";
    return 0;
}
