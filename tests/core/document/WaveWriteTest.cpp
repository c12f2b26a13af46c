#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/SavePath.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Texts = std::vector<std::string>;

TEST(WaveSave, FreshlyOpenedFilesAreWrittenBackByteForByte) {
    TempDir dir;
    WavFormat list;
    list.channels = 1;
    list.listChunkSize = 5;
    WavFormat program;
    program.factChunk = true;
    WavFormat mono8;
    mono8.channels = 1;
    mono8.bits = 8;
    for (const WavFormat& format : {WavFormat{}, list, program, mono8}) {
        auto bytes = BuildWav(format, SineSamples(3001, format.channels, 100, 0.013));
        const auto riffEnd = bytes.size();
        bytes.insert(bytes.end(), 3, 0xAB); // beyond the RIFF size: not part of the image
        TempDir::WriteFile(dir.Path("in.wav"), bytes);
        CScriptedUi ui;
        CKymoDoc doc(ui);
        ASSERT_TRUE(doc.OnOpenDocument(dir.Path("in.wav")));
        ASSERT_TRUE(doc.OnSaveDocument(dir.Path("out.wav")));
        const auto written = TempDir::ReadFile(dir.Path("out.wav"));
        EXPECT_EQ(written, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + riffEnd));
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(WaveSave, RefusesWithoutImageOrWhenTheFileCannotBeCreated) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("x.wav")));
    EXPECT_EQ(ui.MessageTexts(), Texts{msg::kNoImage});

    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(WavFormat{}, SineSamples(10, 2, 10, 0.1))));
    ui.Clear();
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("missing-folder/x.wav")));
    EXPECT_EQ(ui.MessageTexts(), Texts{msg::kSaveFailed});
}

TEST(WaveImage, BuiltHeaderIsTheProgramsOwn56Bytes) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const int dataBytes = 4 * 100;
    ASSERT_TRUE(doc.MakeWaveHeader(56, 44100, 16, 1, dataBytes));
    doc.SetWaveFormat(56, 44100, 16, 1, dataBytes);
    const std::uint8_t* h = doc.m_pWaveImage.get();
    EXPECT_EQ(std::memcmp(h, "RIFF", 4), 0);
    EXPECT_EQ(ReadLe32(h + 4), 56u + dataBytes - 8);
    EXPECT_EQ(std::memcmp(h + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(ReadLe32(h + 16), 16u);
    EXPECT_EQ(ReadLe16(h + 20), 1);
    EXPECT_EQ(ReadLe16(h + 22), 2);
    EXPECT_EQ(ReadLe32(h + 24), 44100u);
    EXPECT_EQ(ReadLe32(h + 28), 44100u * 4);
    EXPECT_EQ(ReadLe16(h + 32), 4);
    EXPECT_EQ(ReadLe16(h + 34), 16);
    EXPECT_EQ(std::memcmp(h + 36, "fact", 4), 0);
    EXPECT_EQ(ReadLe32(h + 40), 4u);
    EXPECT_EQ(ReadLe32(h + 44), static_cast<std::uint32_t>(dataBytes));
    EXPECT_EQ(std::memcmp(h + 48, "data", 4), 0);
    EXPECT_EQ(ReadLe32(h + 52), static_cast<std::uint32_t>(dataBytes));
    EXPECT_EQ(doc.m_pWaveData, h + 56);
    EXPECT_EQ(doc.m_nWaveImageSize, 56 + dataBytes);
    EXPECT_EQ(doc.m_nRiffSize, 56 + dataBytes - 8);
    EXPECT_EQ(doc.m_nBlockSize, 4);
    EXPECT_EQ(doc.m_nBytesPerSec, 176400);
    EXPECT_FLOAT_EQ(doc.m_fWaveFrames, 100.0f);

    // The image is a valid file: it reads back with the same format.
    std::vector<std::uint8_t> file(h, h + doc.m_nWaveImageSize);
    CKymoDoc other(ui);
    ASSERT_TRUE(other.LoadFromBytes(file));
    EXPECT_EQ(other.m_nHeadSize, 56);
    EXPECT_EQ(other.m_nFrames, 100);
}

TEST(SaveWaveAs, ExtensionRules) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    struct Case {
        std::vector<std::string> answers;
        std::string expectedPath; // empty: nothing written
        int wrongExtensionMessages;
    };
    const Case cases[] = {
        {{dir.Path("plain")}, dir.Path("plain.wav"), 0},
        {{dir.Path("a.wav")}, dir.Path("a.wav"), 0},
        {{dir.Path("b.wav.txt")}, dir.Path("b.wav.txt"), 0},
        {{dir.Path("c.txt"), dir.Path("c.wav")}, dir.Path("c.wav"), 1},
        {{dir.Path("d.txt")}, "", 1}, // then cancelled
        {{}, "", 0},
    };
    for (const Case& c : cases) {
        CScriptedUi ui;
        for (const auto& a : c.answers) ui.fileAnswers.push_back(a);
        std::string label = "テスト信号";
        const int result = SaveWaveAs(ui, label, bytes.data(), bytes.size());
        EXPECT_EQ(result, c.expectedPath.empty() ? 0 : 1);
        const auto texts = ui.MessageTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), msg::kWavExtension),
                  c.wrongExtensionMessages);
        if (!c.expectedPath.empty()) {
            EXPECT_EQ(label, c.expectedPath);
            EXPECT_EQ(texts.back(), c.expectedPath); // the path is announced before writing
            EXPECT_EQ(TempDir::ReadFile(c.expectedPath), bytes);
        }
    }
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("d.txt")).empty());
}

TEST(SaveWaveAs, UncreatableFileIsAFailure) {
    TempDir dir;
    CScriptedUi ui;
    ui.fileAnswers.push_back(dir.Path("no/such/folder/x.wav"));
    std::string label = "x";
    const std::uint8_t b = 0;
    EXPECT_EQ(SaveWaveAs(ui, label, &b, 1), 0);
    EXPECT_EQ(ui.MessageTexts().back(), msg::kSaveFailed);
    EXPECT_EQ(ui.messages.back().icon, MessageIcon::Error);
}

} // namespace
