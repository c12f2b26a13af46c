#include "cli/CliDocument.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"

#include <vector>

namespace {
std::vector<InfoPrinter>& Printers() {
    static std::vector<InfoPrinter> printers;
    return printers;
}
} // namespace

std::unique_ptr<CKymoDoc> MakeCliDocument(CliContext& ctx) {
    return std::make_unique<CKymoDoc>(ctx.ui);
}

bool AddInfoPrinter(InfoPrinter printer) {
    Printers().push_back(printer);
    return true;
}

void PrintDocumentInfo(const CKymoDoc& doc, std::ostream& out) {
    if (doc.HasWave()) {
        out << "m_nChannel=" << doc.m_nChannel << "\n"
            << "m_nSamplesPerSec=" << doc.m_nSamplesPerSec << "\n"
            << "m_nBitsPerSample=" << doc.m_nBitsPerSample << "\n"
            << "m_nBlockSize=" << doc.m_nBlockSize << "\n"
            << "m_nHeadSize=" << doc.m_nHeadSize << "\n"
            << "m_nWavDataSize=" << doc.m_nWavDataSize << "\n"
            << "m_nFrames=" << doc.m_nFrames << "\n"
            << "m_nRiffSize=" << doc.m_nRiffSize << "\n";
    }
    out << "disp_mode1=" << doc.disp_mode1 << "\n"
        << "disp_mode3=" << doc.disp_mode3 << "\n";
    for (InfoPrinter p : Printers()) p(doc, out);
}
