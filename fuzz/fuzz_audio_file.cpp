// The audio measurement container "AUDO": its fixed fields, then its curves.
#include "FuzzFile.h"

#include "document/AudioFile.h"
#include "document/ScriptedUi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file;
    CScriptedUi ui;
    AudioFile audio;
    const std::string& path = file.Fill(data, size);
    if (!ReadAudioHeaderFrom(ui, path, audio)) return 0;
    ReadAudioCurves(ui, path, audio);
    return 0;
}
