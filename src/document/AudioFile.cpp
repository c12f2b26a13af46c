#include "document/AudioFile.h"

#include "document/ByteOrder.h"
#include "document/DocMessages.h"
#include "document/DocumentUi.h"
#include "document/ResultCsv.h"
#include "document/TextCodec.h"

#include <bit>
#include <cstring>
#include <fstream>

namespace {

constexpr std::size_t kFixedBytes = 128;
constexpr const char* kFilter = "MeasureData(*.opr)|*.opr||";
constexpr const char* kNote = "\n 　　..ｵｰﾃﾞｨｵ性能表示専用として開きます";
constexpr const char* kCannotOpenHeader = "異なるデーター形式です_@AudioReadValue。";
constexpr const char* kCannotReadCurves = "異なるデーター形式です。_@AudioDataRead";
constexpr const char* kUnknown = "未知の形式です。";
constexpr const char* kOtherMagic =
    "異なるデーター形式です。\n　ｻｰﾎﾞ計算用のﾒﾆｭｰから開けてみて下さい";

constexpr const char* kColumnNames[6][6] = {
    {"L_周波数特性", "R_周波数特性"},
    {"L_高調波歪率", "R_高調波歪率"},
    {"L_S/N", "R_S/N"},
    {"L_Dﾚﾝｼﾞ", "R_Dﾚﾝｼﾞ"},
    {"L_IM歪率", "R_IM歪率"},
    {"1kHzL(L→R)", "10kHz(R→L)", "1kHzL(R→L)", "10kHz(L→R)", "TSPｸﾛｽﾄｰｸ(L→R)", "TSPｸﾛｽﾄｰｸ(R→L)"},
};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    WriteLe32(out.data() + at, v);
}

bool ReadBytes(std::ifstream& in, std::uint8_t* p, std::size_t count) {
    in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(in.gcount()) == count;
}

} // namespace

int AudioFile::CurveCount() const {
    int present = 0;
    for (int f : m_nFlags)
        if (f == 1) ++present;
    return 2 * present + (m_nFlags[5] == 1 ? 4 : 0);
}

int WriteAudioFile(IDocumentUi& ui, const std::string& path, const AudioFile& file) {
    std::vector<std::uint8_t> bytes = {'A', 'U', 'D', 'O'};
    Put32(bytes, static_cast<std::uint32_t>(file.m_nExp));
    Put32(bytes, static_cast<std::uint32_t>(file.m_nValue1));
    Put32(bytes, static_cast<std::uint32_t>(file.m_nValue2));
    for (float v : file.m_fConditions) Put32(bytes, std::bit_cast<std::uint32_t>(v));
    for (int f : file.m_nFlags) Put32(bytes, static_cast<std::uint32_t>(f));
    const std::size_t values =
        static_cast<std::size_t>(file.CurveCount()) * static_cast<std::size_t>(file.CurveLength());
    for (std::size_t i = 0; i < values; ++i)
        Put32(bytes,
              std::bit_cast<std::uint32_t>(i < file.m_fCurves.size() ? file.m_fCurves[i] : 0.0f));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    out.close();
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    return 1;
}

int ReadAudioHeader(IDocumentUi& ui, AudioFile& file, std::string& path) {
    const auto chosen = ui.AskOpenFileName("", kFilter);
    if (!chosen || chosen->empty()) return 0;
    path = *chosen;
    return ReadAudioHeaderFrom(ui, path, file);
}

int ReadAudioHeaderFrom(IDocumentUi& ui, const std::string& path, AudioFile& file) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ui.ShowMessage(kCannotOpenHeader, MessageIcon::Error);
        return 0;
    }
    std::uint8_t fixed[kFixedBytes];
    in.read(reinterpret_cast<char*>(fixed), kFixedBytes);
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (got < 4) {
        ui.ShowMessage(kUnknown, MessageIcon::Error);
        return 0;
    }
    if (!HasTag(fixed, "AUDO")) {
        ui.ShowMessage(kOtherMagic, MessageIcon::Error);
        return 0;
    }
    ui.ShowMessage(path + kNote);
    AudioFile read;
    read.m_nExp = static_cast<std::int32_t>(ReadLe32(fixed + 4));
    if (got < kFixedBytes || read.m_nExp < 0 || read.m_nExp > AudioFile::kMaxExp) {
        ui.ShowMessage(kUnknown, MessageIcon::Error);
        return 0;
    }
    read.m_nValue1 = static_cast<std::int32_t>(ReadLe32(fixed + 8));
    read.m_nValue2 = static_cast<std::int32_t>(ReadLe32(fixed + 12));
    for (int i = 0; i < 22; ++i)
        read.m_fConditions[i] = std::bit_cast<float>(ReadLe32(fixed + 16 + 4 * i));
    for (int i = 0; i < 6; ++i)
        read.m_nFlags[i] = static_cast<std::int32_t>(ReadLe32(fixed + 104 + 4 * i));
    file = std::move(read);
    return 1;
}

int ReadAudioCurves(IDocumentUi& ui, const std::string& path, AudioFile& file) {
    std::ifstream in(path, std::ios::binary);
    const std::size_t count =
        static_cast<std::size_t>(file.CurveCount()) * static_cast<std::size_t>(file.CurveLength());
    std::vector<std::uint8_t> bytes(count * 4);
    in.seekg(static_cast<std::streamoff>(kFixedBytes));
    if (!in || !ReadBytes(in, bytes.data(), bytes.size())) {
        ui.ShowMessage(kCannotReadCurves, MessageIcon::Error);
        return 0;
    }
    file.m_fCurves.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        file.m_fCurves[i] = std::bit_cast<float>(ReadLe32(bytes.data() + 4 * i));
    return 1;
}

int WriteAudioCsv(IDocumentUi& ui, const std::string& path, const AudioFile& file,
                  const std::string& trailer) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    std::string text;
    for (int p = 0; p < 6; ++p) {
        if (file.m_nFlags[p] != 1) continue;
        for (const char* name : kColumnNames[p])
            if (name) text += std::string(name) + ",";
    }
    text += "\r\n";
    const int rows = file.CurveLength();
    const int curves = file.CurveCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < curves; ++c) {
            const std::size_t at = static_cast<std::size_t>(c) * rows + r;
            text += CsvNumber(at < file.m_fCurves.size() ? file.m_fCurves[at] : 0.0f);
            text += ',';
        }
        text += "\r\n";
    }
    text += trailer;
    const std::string bytes = Utf8ToCp932(text);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    return 1;
}
