// "info" lines of a measurement-data file: its magic and frame.
#include "cli/CliDocument.h"
#include "document/CKymoDoc.h"
#include "document/MeasurementFile.h"
#include "document/ResultCsv.h"

namespace {

void PrintMeasurementInfo(const CKymoDoc& doc, std::ostream& out) {
    if (doc.HasWave()) return;
    const char* magic = MeasurementMagicForKind(doc.disp_mode1, doc.disp_mode3);
    if (!magic) return;
    out << "magic=" << magic << "\n"
        << "m_nPow=" << doc.m_nPow << "\n"
        << "N=" << doc.m_nPoints << "\n"
        << "m_fDt=" << CsvNumber(doc.m_fDt) << "\n";
}

const bool registered = AddInfoPrinter(&PrintMeasurementInfo);

} // namespace
