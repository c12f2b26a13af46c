#pragma once

#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "document/ScriptedUi.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A fixture for the instrument panels: the main window on the virtual card with a device under
// test, and a runner of a command whose modal panel the test drives.
class PanelTest : public ::testing::Test {
protected:
    // Shows the main window with the virtual card hearing `dut`.
    void Open(const QString& dut) {
        EnsureTestApp();
        ClearAppSettings();
        StoreSoundDevice(QStringLiteral("virtual"), dut);
        frame = std::make_unique<CMainFrame>(&ui);
        frame->resize(1000, 760);
        frame->show();
    }
    CKymoDoc& Doc() { return frame->Document(); }
    // Runs command `id`; `drive` works its modal panel of type D; a panel still open afterwards
    // (a failed assertion left `drive` early) is closed, so that the command ends.
    template <class D> void RunPanel(int id, const std::function<void(D*)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            driven = true;
            drive(dlg);
            if (dlg->isVisible()) dlg->reject();
        });
        frame->OnCommand(id);
        ASSERT_TRUE(driven);
    }

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};
