// Tube-data files of the virtual tube amplifier: the reader, then the checks a loaded device
// goes through before it is used.
#include "FuzzFile.h"

#include "document/ScriptedUi.h"
#include "tube/TubeData.h"
#include "tube/TubeFile.h"
#include "tube/TubeValidation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file;
    CScriptedUi ui;
    TubeData tube;
    if (ReadTubeFile(ui, file.Fill(data, size), tube) != 1) return 0;
    if (ValidateTubeData(ui, tube)) ValidateTubeOperating(ui, tube.ope);
    return 0;
}
