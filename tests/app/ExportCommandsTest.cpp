#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/Coherence.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <QAction>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace cmd;

namespace {

class ExportCommands : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
        frame = std::make_unique<CMainFrame>(&ui);
        CKymoDoc& doc = frame->Document();
        doc.SetPow(0);
        doc.m_fDt = 1.0f / 1000;
        for (int k = 0; k < 128; ++k) {
            doc.m_fRe[k] = 0.5f;
            doc.m_fIm[k] = 0.0f;
        }
        doc.disp_mode1 = kind::Transfer;
    }
    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
    TempDir dir;
};

TEST_F(ExportCommands, ExportItemsWriteTheirFiles) {
    ui.fileAnswers = {dir.Path("h.frd"), dir.Path("h.txt"), dir.Path("h.wav")};
    frame->OnCommand(ID_EXPORT_FRD);
    frame->OnCommand(ID_EXPORT_REW);
    frame->OnCommand(ID_EXPORT_IMPULSE_WAV);
    for (const char* name : {"h.frd", "h.txt", "h.wav"})
        EXPECT_TRUE(std::filesystem::exists(dir.Path(name))) << name;
}

TEST_F(ExportCommands, CoherenceItemIsACheckedToggleOfAnAveragedTransferFunction) {
    CKymoDoc& doc = frame->Document();
    QAction* action = frame->CommandAction(ID_VIEW_COHERENCE);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isCheckable());
    doc.m_nCoherenceKey = TransferFingerprint(doc);
    frame->OnCommand(ID_VIEW_COHERENCE);
    EXPECT_EQ(doc.m_bShowCoherence, 1);
    frame->OnCommand(ID_VIEW_COHERENCE);
    EXPECT_EQ(doc.m_bShowCoherence, 0);
}

TEST_F(ExportCommands, CoefficientItemsAskForTheFileThenTheName) {
    const std::string fir = "BEGIN_ALL,\r\nFilter_Kind:,Win_Hann,Filter_Shape:,LPF,Order:,3,\r\n"
                            "CutOff(L):,500.000000,CutOff(H):,0.000000,\r\nBEGIN_FIR,\r\n"
                            "0.25,\r\n0.5,\r\n0.125,\r\nEND_FIR,\r\nEND_ALL,\r\n";
    TempDir::WriteFile(dir.Path("fir.csv"), std::vector<std::uint8_t>(fir.begin(), fir.end()));
    frame->Document().m_nSamplesPerSec = 44100;
    // Each item asks for the coefficient file, then for the name (no dot: its extension added).
    ui.fileAnswers = {dir.Path("fir.csv"), dir.Path("taps"),    dir.Path("fir.csv"),
                      dir.Path("cm.h"),    dir.Path("fir.csv"), dir.Path("ir")};
    frame->OnCommand(ID_EXPORT_HEADER);
    frame->OnCommand(ID_EXPORT_HEADER_CMSIS);
    frame->OnCommand(ID_EXPORT_FIR_WAV);
    const auto plain = TempDir::ReadFile(dir.Path("taps.h"));
    const auto cmsis = TempDir::ReadFile(dir.Path("cm.h"));
    EXPECT_NE(
        std::string(plain.begin(), plain.end()).find("taps_taps[TAPS_NUM_TAPS] = {\n    0.25,"),
        std::string::npos);
    EXPECT_NE(std::string(cmsis.begin(), cmsis.end()).find("cm_taps[CM_NUM_TAPS] = {\n    0.125,"),
              std::string::npos);
    const auto wav = TempDir::ReadFile(dir.Path("ir.wav"));
    ASSERT_EQ(wav.size(), 56u + 3 * 4);
    EXPECT_EQ(wav[24] | (wav[25] << 8) | (wav[26] << 16), 44100); // the document's rate
    EXPECT_TRUE(ui.fileAnswers.empty());
}

} // namespace
