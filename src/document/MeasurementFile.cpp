#include "document/MeasurementFile.h"

#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"

namespace {
constexpr const char* kMagics[] = {"OPER", "OSC1", "OPS1", "OPS2", "OPJ1", "OPJ2", "OPSO"};
}

bool IsMeasurementMagic(const std::uint8_t* first4) {
    for (const char* m : kMagics)
        if (HasTag(first4, m)) return true;
    return false;
}

int ReadMeasurementData(CKymoDoc& doc, const std::vector<std::uint8_t>& bytes) {
    doc.Ui().ShowMessage("測定データー(*.opr)の読み込みはまだ実装されていません。",
                         MessageIcon::Warning);
    return 0;
}
