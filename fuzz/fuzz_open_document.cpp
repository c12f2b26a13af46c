// File Open of any file: WAV images and measurement-data files, as CKymoDoc::OnOpenDocument
// reads them, followed by the sample reads the view and the analyses make of a loaded wave.
#include "FuzzFile.h"

#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    if (!doc.OnOpenDocument(file.Fill(data, size))) return 0;
    if (doc.HasWave()) {
        long long sum = 0;
        const int frames = std::min(doc.m_nFrames, 4096);
        for (int f = 0; f < frames; ++f) sum += doc.GetSample(f, 1) + doc.GetSample(f, 2);
        if (doc.m_nFrames > 0) sum += doc.GetSample(doc.m_nFrames - 1, 2);
        if (sum == 1) return 0; // keeps the reads
    }
    return 0;
}
