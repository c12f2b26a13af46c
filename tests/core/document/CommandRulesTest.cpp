#include "document/CommandRules.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

TEST(CommandRules, FftNeedsTimeRecord) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    EXPECT_FALSE(GetCommandState(doc, cmd::ID_FFT).enabled);
    doc.disp_mode1 = 1;
    EXPECT_TRUE(GetCommandState(doc, cmd::ID_FFT).enabled);
}
