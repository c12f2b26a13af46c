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

} // namespace
