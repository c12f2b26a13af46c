// Coefficient files read as IIR sections (CoefFile::ReadIirFile).
#include "FuzzFile.h"

#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file;
    CScriptedUi ui;
    CoefFileHeader header;
    BiquadTable table{};
    CoefFile(ui).ReadIirFile(file.Fill(data, size), header, table);
    return 0;
}
