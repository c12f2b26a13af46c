#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using Texts = std::vector<std::string>;

std::vector<std::uint8_t> Wave(int channels, int frames, std::vector<int>* samples = nullptr) {
    WavFormat s;
    s.channels = channels;
    auto v = SineSamples(frames, channels, 12000, 0.003);
    if (samples) *samples = v;
    return BuildWav(s, v);
}

TEST(DocumentDefaults, MatchTheDocumentAtCreation) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    EXPECT_EQ(doc.m_nSamplesPerSec, 48000);
    EXPECT_EQ(doc.m_nChannel, 2);
    EXPECT_EQ(doc.m_nBitsPerSample, 16);
    EXPECT_EQ(doc.m_nHeadSize, 44);
    EXPECT_EQ(doc.m_nPow, 4);
    EXPECT_EQ(doc.m_nPoints, 2048);
    EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 48000);
    EXPECT_EQ(doc.m_nWindowType, 4);
    EXPECT_FLOAT_EQ(doc.m_fKaiserBeta, 10.0f);
    EXPECT_EQ(doc.disp_mode0, 0);
    EXPECT_EQ(doc.disp_mode1, 0);
    EXPECT_EQ(doc.disp_mode2, 2);
    EXPECT_EQ(doc.disp_mode3, 0);
    EXPECT_EQ(doc.m_bMemoryStored, 0);
    EXPECT_EQ(doc.m_bRescale, 1);
    EXPECT_FALSE(doc.HasWave());
    EXPECT_EQ(doc.m_fRe.size(), 32768u);
    EXPECT_EQ(doc.m_fWave1.size(), 96000u);
    EXPECT_EQ(doc.m_fSinTbl.size(), 16384u);
    EXPECT_EQ(doc.m_szHistory[0],
              "番号,処理項目,ゲイン,設定周波数,演算操作,ｻﾝﾌﾟﾘﾝｸﾞ周波数,ｻﾝﾌﾟﾙ点数,備考 \r\n");
    EXPECT_EQ(doc.m_nHistoryCount, 1);
    EXPECT_NEAR(doc.m_fSinTbl[512], 1.0f, 1e-6); // sin(2 pi 512 / 2048)
}

TEST(SampleCount, WithoutWaveOnlyChangesTheFrame) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.disp_mode1 = kind::Spectrum;
    doc.OnSampleCount(8);
    EXPECT_EQ(doc.m_nPoints, 32768);
    EXPECT_EQ(doc.m_nPow, 8);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
    EXPECT_EQ(doc.GetUpdateCount(), 0);
    // Tables for N = 32768: 16384 entries, the last one at angle 2 pi 16383 / 32768.
    EXPECT_NEAR(doc.m_fCosTbl[8192], 0.0f, 1e-6);
    EXPECT_NEAR(doc.m_fSinTbl[16383], 1.9174760e-4, 1e-6); // sin(2 pi 16383 / 32768)
}

TEST(SampleCount, WithWaveReturnsToTheWave) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(Wave(2, 5000)));
    doc.disp_mode1 = kind::Transfer;
    doc.OnSampleCount(0);
    EXPECT_EQ(doc.m_nPoints, 128);
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(doc.disp_mode0, subreq::AfterSampleCount);
    const int updates = doc.GetUpdateCount();
    doc.disp_mode0 = subreq::HeaderDrawn;
    doc.OnSampleCount(1);
    EXPECT_EQ(doc.disp_mode0, subreq::HeaderDrawn); // already showing the wave: redraw only
    EXPECT_EQ(doc.GetUpdateCount(), updates + 1);
}

TEST(ChannelAndBackToWave, SetTheCodes) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(Wave(2, 5000)));
    doc.OnSelectChannel(2);
    EXPECT_EQ(doc.disp_mode3, 2);
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(doc.disp_mode0, subreq::RawWave);
    for (int filtered : {11, 12, 13}) {
        doc.disp_mode1 = kind::FilterResult;
        doc.disp_mode3 = filtered;
        doc.OnBackToWave();
        EXPECT_EQ(doc.disp_mode3, filtered - 10);
        EXPECT_EQ(doc.disp_mode1, kind::Wave);
        EXPECT_EQ(doc.disp_mode0, subreq::RawWave);
    }
}

TEST(CutRecord, CopiesTheSelectedChannels) {
    struct Case {
        int channels;
        int channelCode;
        int expectedKind;
        int firstChannel;
    };
    for (const Case c : {Case{1, 1, kind::CutOneChannel, 1}, Case{2, 2, kind::CutOneChannel, 2},
                         Case{2, 3, kind::CutTwoChannels, 1}}) {
        CScriptedUi ui;
        CKymoDoc doc(ui);
        std::vector<int> samples;
        ASSERT_TRUE(doc.LoadFromBytes(Wave(c.channels, 3000, &samples)));
        doc.OnSelectChannel(c.channelCode);
        doc.OnSampleCount(1); // 256 points
        doc.m_fWave2[0] = -7.0f;
        ASSERT_TRUE(doc.CutRecord(100));
        EXPECT_EQ(doc.disp_mode1, c.expectedKind);
        EXPECT_EQ(doc.m_nWindowType, 7);
        EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 48000);
        for (int i : {0, 17, 255}) {
            const float want =
                static_cast<float>(samples[(100 + i) * c.channels + c.firstChannel - 1]);
            EXPECT_EQ(doc.m_fWave1[i], want);
            EXPECT_EQ(doc.m_fWork1[i], want);
            if (c.expectedKind == kind::CutTwoChannels) {
                EXPECT_EQ(doc.m_fWave2[i], static_cast<float>(samples[(100 + i) * 2 + 1]));
                EXPECT_EQ(doc.m_fWork2[i], doc.m_fWave2[i]);
            }
        }
        if (c.expectedKind == kind::CutOneChannel) {
            EXPECT_EQ(doc.m_fWave2[0], -7.0f);
        }
    }
}

TEST(CutRecord, RefusesRecordsPastTheEnd) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(Wave(2, 20000)));
    doc.OnSampleCount(8); // 32768 points do not fit in 20000 frames
    EXPECT_FALSE(doc.CutRecord(0));
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    doc.OnSampleCount(4);
    EXPECT_TRUE(doc.CutRecord(20000 - 2048));
    doc.OnBackToWave();
    EXPECT_FALSE(doc.CutRecord(20000 - 2047));
    EXPECT_FALSE(doc.CutRecord(-1));
}

class FakePlayer : public IWavePlayer {
public:
    bool works = false;
    int plays = 0, stops = 0;
    bool lastLoop = false;
    std::size_t lastSize = 0;
    bool Play(const std::uint8_t*, std::size_t size, bool loop) override {
        ++plays;
        lastLoop = loop;
        lastSize = size;
        return works;
    }
    void Stop() override { ++stops; }
};

TEST(Playback, PlaysTheWholeImageAndReportsFailure) {
    CScriptedUi ui;
    FakePlayer player;
    {
        CKymoDoc doc(ui, &player);
        doc.OnPlay(false); // no wave: nothing happens
        EXPECT_EQ(player.plays, 0);
        ASSERT_TRUE(doc.LoadFromBytes(Wave(2, 100)));
        doc.OnPlay(false);
        EXPECT_EQ(ui.MessageTexts(), Texts{msg::kPlayFailed});
        doc.OnPlay(true); // repeat play fails silently
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(player.lastLoop);
        EXPECT_EQ(player.lastSize, static_cast<std::size_t>(doc.m_nWaveImageSize));
        player.works = true;
        doc.OnPlay(false);
        EXPECT_EQ(ui.messages.size(), 1u);
        const int stopsBefore = player.stops;
        doc.OnStopPlay();
        EXPECT_EQ(player.stops, stopsBefore + 1);
    }
    EXPECT_GE(player.stops, 4); // each play stops the previous one; destruction stops too
}

// Playback reads the image while it plays: whatever replaces or releases the image stops it
// first, while the bytes it plays still exist.
class ImageWatchingPlayer : public IWavePlayer {
public:
    const CKymoDoc* doc = nullptr;
    const std::uint8_t* playing = nullptr;
    bool stoppedWhileAlive = false;
    bool Play(const std::uint8_t* image, std::size_t, bool) override {
        playing = image;
        return true;
    }
    void Stop() override {
        if (playing) stoppedWhileAlive = doc->m_pWaveImage.get() == playing;
        playing = nullptr;
    }
};

TEST(Playback, ReplacingTheImageStopsPlaybackFirst) {
    CScriptedUi ui;
    ImageWatchingPlayer player;
    CKymoDoc doc(ui, &player);
    player.doc = &doc;
    const std::vector<std::function<void()>> replacements = {
        [&] { doc.LoadFromBytes(Wave(2, 100)); },
        [&] { doc.ReleaseWaveImage(); },
        [&] { doc.MakeWaveHeader(44, 48000, 16, 1, 400); },
        [&] { doc.DecimateWave(); },
    };
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(doc.LoadFromBytes(Wave(2, 1000)));
        doc.OnPlay(true);
        ASSERT_NE(player.playing, nullptr);
        player.stoppedWhileAlive = false;
        replacements[i]();
        EXPECT_EQ(player.playing, nullptr);
        EXPECT_TRUE(player.stoppedWhileAlive);
    }
}

TEST(ShellCommands, ManualsAreFoundNextToTheProgram) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("Help/SonalyxDemo"));
    std::ofstream(dir.Path("Audio_Manual.pdf")) << "%PDF";
    std::ofstream(dir.Path("Help/SonalyxDemo/index.htm")) << "<html>";
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.SetProgramDirectory(dir.Path(""));
    doc.OnOpenManual(cmd::ID_MANUAL_AUDIO);
    doc.OnOpenManual(cmd::ID_DEMO);
    ASSERT_EQ(ui.opened.size(), 2u);
    EXPECT_NE(ui.opened[1].find("Help/SonalyxDemo/index.htm"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
    doc.OnOpenManual(cmd::ID_MANUAL_TUBE);
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"VTube_Manual.pdf(ﾏﾆｭｱﾙ)がSonalyx.exeのあるﾃﾞｨﾚｸﾄﾘｰに存在していません"});
    ui.Clear();
    ui.openSucceeds = false;
    doc.OnOpenManual(cmd::ID_MANUAL_AUDIO);
    EXPECT_EQ(ui.MessageTexts(), Texts{"Audio_Manual.pdfを開けませんでした！"});
}

TEST(ShellCommands, VolumeControlComesFromThePath) {
    TempDir dir;
    const std::string mixer = dir.Path("pavucontrol");
    std::ofstream(mixer) << "#!/bin/sh\n";
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    CScriptedUi ui;
    CKymoDoc doc(ui);
    setenv("PATH", dir.Path("").c_str(), 1);
    doc.OnSoundVolume();
    ui.startSucceeds = false;
    doc.OnSoundVolume();
    setenv("PATH", (dir.Path("empty")).c_str(), 1);
    doc.OnSoundVolume();
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_EQ(ui.started.size(), 2u);
    EXPECT_EQ(ui.started[0], mixer);
    EXPECT_EQ(ui.MessageTexts(), (Texts{msg::kVolumeStartFailed, msg::kNoVolumeControl}));
}

TEST(ServoChips, NecAndMediaTekAreNotOpen) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.OnServoChipNotOpen();
    EXPECT_EQ(ui.MessageTexts(), Texts{"ここは開放しておりません"});
}

} // namespace
