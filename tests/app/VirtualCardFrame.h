#pragma once

#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>

class CKymoDoc;
class CMainFrame;

// Desktop tests of the sound panels: a shown main window (1000 x `height`) whose chosen sound
// device is the virtual card with the device-under-test text `dut`, and the recording fake of
// the messages.
class VirtualCardFrame : public ::testing::Test {
protected:
    VirtualCardFrame();
    ~VirtualCardFrame() override;
    void Open(const char* dut, int height = 760);
    CKymoDoc& Doc();

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};
