// Coefficient files read as FIR taps (CoefFile::ReadFirFile; an IIR file gives its sections).
#include "FuzzFile.h"

#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file;
    CScriptedUi ui;
    CoefFileHeader header;
    std::vector<double> values;
    const std::string& path = file.Fill(data, size);
    CoefFile(ui).ReadFirFile(path, header, values);
    PeekCoefSectionType(path);
    return 0;
}
