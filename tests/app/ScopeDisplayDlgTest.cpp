#include "AppTestSupport.h"

#include "app/AppCommands.h"
#include "app/dialogs/CScopeDisplayDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

TEST(ScopeDisplayDlgTest, SpinsUpdateTheDocumentAtOnceAndClamp) {
    EnsureTestApp();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CScopeDisplayDlg dlg(doc, 2);
    const int updates = doc.GetUpdateCount();
    dlg.StepRange(1, -1);
    EXPECT_EQ(doc.m_scope.m_fRange1, 0.5f);
    EXPECT_EQ(doc.GetUpdateCount(), updates + 1);
    for (int i = 0; i < 5; ++i) dlg.StepRange(1, -1);
    EXPECT_EQ(doc.m_scope.m_nRangeExp1, -2);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("range1")->text(), "0.25");
    for (int i = 0; i < 15; ++i) dlg.StepRange(2, 1);
    EXPECT_EQ(doc.m_scope.m_fRange2, 512.0f);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("range2")->text(), "512");
    for (int i = 0; i < 12; ++i) dlg.StepPosition(2, -1);
    EXPECT_EQ(doc.m_scope.m_nPosition2, -100);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("position2")->text(), "-100");
    dlg.findChild<QCheckBox*>()->setChecked(true);
    SaveGrabToGallery(dlg, "scope_dlg");
    dlg.accept();
    EXPECT_EQ(doc.m_scope.m_nRangeExp1, -2);
    EXPECT_EQ(doc.m_bScopeXY, 1);
}

TEST(ScopeDisplayDlgTest, CancelRestoresAndSingleChannelHasNoXy) {
    EnsureTestApp();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CScopeDisplayDlg dlg(doc, 3);
    EXPECT_EQ(dlg.findChild<QCheckBox*>(), nullptr);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("channel2")->text(), "ch2");
    EXPECT_EQ(dlg.findChild<QLineEdit*>("range1"), nullptr);
    dlg.StepPosition(2, 1);
    EXPECT_EQ(doc.m_scope.m_nPosition2, 10);
    dlg.reject();
    EXPECT_EQ(doc.m_scope.m_nPosition2, 0);
    EXPECT_NE(FindAppCommand(cmd::ID_SCOPE_SETTINGS), nullptr);
    EXPECT_NE(FindAppCommand(cmd::ID_SAVE_RESULT), nullptr);
}
