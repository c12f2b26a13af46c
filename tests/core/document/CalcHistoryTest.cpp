#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DocMessages.h"
#include "document/HistoryEntry.h"
#include "document/ScriptedUi.h"
#include "document/TextCodec.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string FileText(const std::string& path) {
    const auto bytes = TempDir::ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(HistoryLine, InitialGainAt48kHzIsTheFirstLine) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.AddHistory(doc.MakeHistoryEntry("初期設定", 1.0f, 0.0f, "NOP", " "));
    EXPECT_EQ(doc.m_szHistory[1], "1,初期設定,1.000000 ,0.000000 ,NOP  ,48000  ,2048 ,  \r\n");
    EXPECT_EQ(doc.m_nHistoryCount, 2);
}

TEST(HistoryLine, ZeroGainWritesDashesAndTruncatesTheSamplingFrequency) {
    HistoryEntry e;
    e.name = "Open";
    e.gain = 0.0f;
    e.frequency = 5.0f;
    e.label = "Open特性";
    e.samplingFreq = 31999.998f;
    e.points = 128;
    EXPECT_EQ(FormatHistoryLine(7, e), "7,Open,-- ,-- ,Open特性  ,31999  ,128 ,  \r\n");
}

TEST(HistoryLine, ALongNoteIsReplaced) {
    HistoryEntry e;
    e.name = "Read Temp. File";
    e.label = "x:乗算";
    e.points = 2048;
    e.samplingFreq = 48000;
    e.note = std::string(128, 'a');
    EXPECT_NE(FormatHistoryLine(1, e).find(e.note + " \r\n"), std::string::npos);
    e.note = std::string(129, 'a');
    EXPECT_EQ(FormatHistoryLine(1, e),
              std::string("1,Read Temp. File,-- ,-- ,x:乗算  ,48000  ,2048 ,") +
                  msg::kHistoryNoteTooLong + " \r\n");
    // Characters, not bytes: 100 kanji are kept.
    std::string kanji;
    for (int i = 0; i < 100; ++i) kanji += "漢";
    e.note = kanji;
    EXPECT_NE(FormatHistoryLine(1, e).find("漢漢漢"), std::string::npos);
}

TEST(HistoryLine, StaysWithinAHistorySlotWhateverTheGainOrNote) {
    HistoryEntry e;
    e.name = "ゲイン";
    e.gain = 3.0e38f;
    e.frequency = -3.0e38f;
    e.label = "x:乗算";
    e.samplingFreq = 48000;
    e.points = 2048;
    e.note.clear();
    for (int i = 0; i < 64; ++i) e.note += "ﾃ漢"; // 128 characters, 3 Shift-JIS bytes a pair
    const std::string line = FormatHistoryLine(99, e);
    EXPECT_LE(Utf8ToCp932(line).size(), 255u);
    EXPECT_GE(Utf8ToCp932(line).size(), 254u) << line;
    EXPECT_EQ(line.rfind("99,ゲイン,3", 0), 0u) << line;
    EXPECT_EQ(Cp932Length(line), Utf8ToCp932(line).size());
}

TEST(History, WrapsAfterSlot99) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    for (int i = 1; i <= 98; ++i) doc.AddHistory(doc.MakeHistoryEntry("n", 0, 0, "--", " "));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.m_nHistoryCount, 99);
    doc.AddHistory(doc.MakeHistoryEntry("last", 0, 0, "--", " "));
    EXPECT_EQ(doc.m_szHistory[99].compare(0, 8, "99,last,"), 0);
    ASSERT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kHistoryFull});
    EXPECT_EQ(doc.m_nHistoryCount, 1);
    doc.AddHistory(doc.MakeHistoryEntry("hundredth", 0, 0, "--", " "));
    EXPECT_EQ(doc.m_szHistory[1].compare(0, 12, "1,hundredth,"), 0);
    EXPECT_EQ(doc.m_nHistoryCount, 2);
}

TEST(HistorySave, WritesTheLinesAsShiftJisAndClearsTheHistory) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.AddHistory(doc.MakeHistoryEntry("初期設定", 1.0f, 0.0f, "NOP", " "));
    doc.AddHistory(doc.MakeHistoryEntry("積分", 1.0f, 1.0f, "x:乗算", " "));
    ui.fileAnswers.push_back(dir.Path("hist"));
    EXPECT_EQ(doc.OnSaveHistory(), 1);
    const std::string expected =
        "番号,処理項目,ゲイン,設定周波数,演算操作,ｻﾝﾌﾟﾘﾝｸﾞ周波数,ｻﾝﾌﾟﾙ点数,備考 \r\n"
        "1,初期設定,1.000000 ,0.000000 ,NOP  ,48000  ,2048 ,  \r\n"
        "2,積分,1.000000 ,1.000000 ,x:乗算  ,48000  ,2048 ,  \r\n";
    EXPECT_EQ(FileText(dir.Path("hist.csv")), Utf8ToCp932(expected));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{msg::kHistorySaveIntro, dir.Path("hist.csv")}));
    EXPECT_EQ(doc.m_nHistoryCount, 1);
    EXPECT_EQ(doc.m_szHistory[0], msg::kHistoryHeaderAfterSave);

    // A second save holds the header written after a save, without the note column name.
    ui.fileAnswers.push_back(dir.Path("again.csv"));
    EXPECT_EQ(doc.OnSaveHistory(), 1);
    EXPECT_EQ(
        FileText(dir.Path("again.csv")),
        Utf8ToCp932("番号,処理項目,ゲイン,設定周波数,演算操作,ｻﾝﾌﾟﾘﾝｸﾞ周波数,ｻﾝﾌﾟﾙ点数, \r\n"));
}

TEST(HistorySave, AWrongExtensionIsAskedAgainAndCancelKeepsTheHistory) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.AddHistory(doc.MakeHistoryEntry("逆数", 0, 0, "逆特性", " "));
    ui.fileAnswers.push_back(dir.Path("h.txt"));
    ui.fileAnswers.push_back(std::nullopt);
    EXPECT_EQ(doc.OnSaveHistory(), 0);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{msg::kHistorySaveIntro,
                                                           dir.Path("h.txt"), msg::kCsvExtension}));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("h.txt")));
    EXPECT_EQ(doc.m_nHistoryCount, 2);
}

TEST(HistorySave, AFileThatCannotBeCreatedKeepsTheHistory) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.AddHistory(doc.MakeHistoryEntry("逆数", 0, 0, "逆特性", " "));
    EXPECT_EQ(doc.SaveHistoryAs(dir.Path("missing/dir/h.csv")), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kSaveFailed});
    EXPECT_EQ(doc.m_nHistoryCount, 2);
    EXPECT_EQ(doc.m_szHistory[0], msg::kHistoryHeader);
}

} // namespace
