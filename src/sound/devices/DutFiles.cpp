#include "sound/devices/DutFiles.h"

#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "sound/devices/DutText.h"

namespace {

bool LoadCoef(const DutElementDef& e, DutCoef& coef, std::string& error) {
    CScriptedUi ui;
    CoefFile file(ui);
    CoefFileHeader header;
    if (!file.ReadFirFile(e.path, header, coef.values)) {
        const auto texts = ui.MessageTexts();
        error = DutItemError(e.item, texts.empty() ? std::string() : texts.front());
        return false;
    }
    coef.fir = header.sectionType == 1;
    if (header.sectionType < 0 || coef.values.empty()) {
        error = DutItemError(e.item, "係数がありません");
        return false;
    }
    for (std::size_t s = 0; !coef.fir && s < coef.values.size(); s += 6) {
        if (coef.values[s] == 0.0) {
            error = DutItemError(e.item, "a0が0の段があります");
            return false;
        }
    }
    return true;
}

} // namespace

bool LoadDutFiles(const DutText& dut, DutFiles& files, std::string& error) {
    files = DutFiles();
    for (const auto& chain : dut.dut) {
        for (const auto& e : chain) {
            if (e.kind != DutElementDef::Kind::Coef || files.coef.count(e.path)) continue;
            if (!LoadCoef(e, files.coef[e.path], error)) return false;
        }
    }
    if (!dut.src.wavPath.empty()) {
        std::string reason;
        if (!ReadDutWav(dut.src.wavPath, files.wav, reason)) {
            error = DutItemError(dut.src.item, reason);
            return false;
        }
    }
    return true;
}
