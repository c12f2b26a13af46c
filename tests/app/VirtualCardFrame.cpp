#include "VirtualCardFrame.h"

#include "AppTestSupport.h"

#include "app/CMainFrame.h"

VirtualCardFrame::VirtualCardFrame() = default;
VirtualCardFrame::~VirtualCardFrame() = default;

void VirtualCardFrame::Open(const char* dut, int height) {
    EnsureTestApp();
    ClearAppSettings();
    StoreSoundDevice(QStringLiteral("virtual"), QString::fromUtf8(dut));
    frame = std::make_unique<CMainFrame>(&ui);
    frame->resize(1000, height);
    frame->show();
}

CKymoDoc& VirtualCardFrame::Doc() {
    return frame->Document();
}
