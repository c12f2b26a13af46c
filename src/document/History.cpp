#include "document/History.h"

#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"

#include <charconv>

namespace {

constexpr std::size_t kMaxNote = 128;
constexpr const char* kNoteTooLong = "ﾌｧｲﾙ名が長すぎますので表示しません";
constexpr const char* kHistoryFull =
    "履歴書作成エリアが一杯です。\n　現在までの履歴は抹消されますので　\n　必要なら[計算履歴の保存]"
    "ﾒﾆｭｰからcsvﾌｧｲﾙとして保存して下さい。";

// printf's "%f" without the locale.
std::string Fixed6(float v) {
    char buf[64];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, 6);
    return std::string(buf, r.ptr);
}

// Characters of a UTF-8 text (code points).
std::size_t CharCount(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

void AddHistory(CKymoDoc& doc, const HistoryEntry& e) {
    const std::string note = CharCount(e.note) > kMaxNote ? kNoteTooLong : e.note;
    const int n = doc.m_nHistoryCount;
    const bool withGain = e.gain != 0.0f;
    const std::string gain = withGain ? Fixed6(e.gain) : "--";
    const std::string freq = withGain ? Fixed6(e.frequency) : "--";
    doc.m_szHistory[n] = std::to_string(n) + "," + e.name + "," + gain + " ," + freq + " ," +
                         e.label + "  ," + std::to_string(static_cast<int>(e.sampleRate)) + "  ," +
                         std::to_string(e.points) + " ," + note + " \r\n";
    ++doc.m_nHistoryCount;
    if (doc.m_nHistoryCount >= limits::kHistoryLines) {
        doc.Ui().ShowMessage(kHistoryFull);
        doc.m_nHistoryCount = 1;
    }
}
