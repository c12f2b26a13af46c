#pragma once

#include <string>

class CKymoDoc;
class IDocumentUi;

// Exports of coefficient files for other programs. Each reads the file with CoefFile (whose
// messages and limits apply), refuses a file of the wrong kind with a message and writes the
// whole result through WriteExportFile. 1 written, 0 otherwise (no file is left behind).

// The IIR sections or FIR taps of `coefPath` as a C header (FormatSosHeader, FormatFirHeader),
// its identifiers taken from the name of `path`; `cmsis` selects the CMSIS-DSP order.
int ExportCoefHeaderTo(IDocumentUi& ui, const std::string& coefPath, const std::string& path,
                       bool cmsis);
// The FIR taps of `coefPath` as a mono 32-bit float WAV at `rate` Hz (an IIR file is refused).
int ExportCoefImpulseWaveTo(IDocumentUi& ui, const std::string& coefPath, int rate,
                            const std::string& path);

// The menu commands: ask for the coefficient file, then for the name (".h", ".wav"). The WAV
// takes the document's sampling frequency (m_nSamplesPerSec).
int OnExportCoefHeader(CKymoDoc& doc, bool cmsis);
int OnExportCoefImpulseWave(CKymoDoc& doc);
