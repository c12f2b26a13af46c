#include "document/ExportFiles.h"

#include "document/DocMessages.h"
#include "document/DocumentUi.h"
#include "document/SavePath.h"
#include "document/WaveFileHeader.h"

#include <cstring>

int WriteExportFile(IDocumentUi& ui, const std::string& path, const std::string& bytes) {
    ui.ShowMessage(path);
    if (!WriteFileReplacing(path, bytes.data(), bytes.size())) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    return 1;
}

std::string BuildFloatWave(int rate, const std::vector<float>& samples) {
    std::uint8_t header[limits::kWaveHeaderSize];
    BuildFloatWaveHeader(header, rate, 1, static_cast<std::uint32_t>(samples.size()));
    std::string bytes(reinterpret_cast<const char*>(header), sizeof header);
    for (float v : samples) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((bits >> (8 * b)) & 0xff));
    }
    return bytes;
}
