// The calculation history: formatting of its lines, the 100-line wrap and the CSV save.
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DocMessages.h"
#include "document/HistoryEntry.h"
#include "document/SavePath.h"
#include "document/TextCodec.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

constexpr int kMaxNoteCharacters = 128;
constexpr std::size_t kMaxLineBytes = limits::kHistoryLineBytes - 1;

// Length of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// Code point of the UTF-8 sequence at `s`; `len` bytes long.
char32_t DecodeAt(const std::string& s, std::size_t at, std::size_t len) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
    switch (len) {
    case 1:
        return byte(0);
    case 2:
        return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    case 3:
        return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    default:
        return ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) |
               (byte(3) & 0x3Fu);
    }
}

// Bytes of one character in Shift-JIS: ASCII and half-width katakana take one, the rest two.
std::size_t Cp932Width(char32_t c) {
    return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
}

std::size_t CharacterCount(const std::string& s) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); i += SequenceLength(static_cast<unsigned char>(s[i])))
        ++count;
    return count;
}

// The longest prefix of `s`, cut at a character boundary, whose Shift-JIS form fits `maxBytes`.
std::string CutToCp932Bytes(const std::string& s, std::size_t maxBytes) {
    std::size_t bytes = 0, i = 0;
    while (i < s.size()) {
        const std::size_t len =
            std::min(SequenceLength(static_cast<unsigned char>(s[i])), s.size() - i);
        const std::size_t width = Cp932Width(DecodeAt(s, i, len));
        if (bytes + width > maxBytes) break;
        bytes += width;
        i += len;
    }
    return s.substr(0, i);
}

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
    va_end(args);
    return out;
}

} // namespace

std::size_t Cp932Length(const std::string& utf8) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        bytes += Cp932Width(DecodeAt(utf8, i, len));
        i += len;
    }
    return bytes;
}

std::string FormatHistoryLine(int line, const HistoryEntry& entry) {
    const std::string note = CharacterCount(entry.note) > kMaxNoteCharacters
                                 ? std::string(msg::kHistoryNoteTooLong)
                                 : entry.note;
    const int fs = static_cast<int>(entry.samplingFreq);
    std::string text;
    if (entry.gain != 0.0f)
        text = FormatText("%d,%s,%f ,%f ,%s  ,%d  ,%d ,%s \r\n", line, entry.name.c_str(),
                          static_cast<double>(entry.gain), static_cast<double>(entry.frequency),
                          entry.label.c_str(), fs, entry.points, note.c_str());
    else
        text = FormatText("%d,%s,%s ,%s ,%s  ,%d  ,%d ,%s \r\n", line, entry.name.c_str(), "--",
                          "--", entry.label.c_str(), fs, entry.points, note.c_str());
    return CutToCp932Bytes(text, kMaxLineBytes);
}

void CKymoDoc::AddHistory(const HistoryEntry& entry) {
    const int slot = m_nHistoryCount;
    m_szHistory[slot] = FormatHistoryLine(slot, entry);
    ++m_nHistoryCount;
    if (m_nHistoryCount >= limits::kHistoryLines) {
        m_ui.ShowMessage(msg::kHistoryFull);
        m_nHistoryCount = 1;
    }
}

HistoryEntry CKymoDoc::MakeHistoryEntry(const std::string& name, float gain, float frequency,
                                        const std::string& label, const std::string& note) const {
    HistoryEntry entry;
    entry.name = name;
    entry.gain = gain;
    entry.frequency = frequency;
    entry.label = label;
    entry.note = note;
    entry.samplingFreq = 1.0f / m_fDt;
    entry.points = m_nPoints;
    return entry;
}

int CKymoDoc::SaveHistoryAs(const std::string& path) {
    std::string bytes;
    for (int i = 0; i < m_nHistoryCount; ++i) bytes += Utf8ToCp932(m_szHistory[i]);
    m_ui.SetWaitCursor(true);
    const bool written = WriteFileBytes(path, bytes.data(), bytes.size());
    m_ui.SetWaitCursor(false);
    if (!written) {
        m_ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    ResetHistory(false);
    return 1;
}

int CKymoDoc::OnSaveHistory() {
    m_ui.ShowMessage(msg::kHistorySaveIntro);
    const auto path =
        AskSavePath(m_ui, "", "AnaData(*.csv)|.csv||", {".csv"}, ".csv", msg::kCsvExtension);
    if (!path) return 0;
    m_ui.ShowMessage(*path);
    return SaveHistoryAs(*path);
}
