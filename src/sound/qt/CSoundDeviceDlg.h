#pragma once

#include "sound/devices/SoundCardFactory.h"
#include "sound/portaudio/SoundDevices.h"

#include <QDialog>

#include <vector>

class IDocumentUi;
class QLabel;
class QLineEdit;
class QListWidget;

// "サウンドデバイスの選択": the virtual card with its DUT text, the system's default devices and
// every hardware device listed. A virtual choice is accepted only with a text the virtual card
// takes; otherwise the card's message is shown and the dialog stays open. When the environment
// overrides the device for this session, the dialog says so (the choice is still stored).
class CSoundDeviceDlg : public QDialog {
    Q_OBJECT
public:
    // `overrideDevice`: the environment's device for this session, empty when there is none.
    CSoundDeviceDlg(const SoundDeviceChoice& stored, const std::vector<SoundDeviceInfo>& devices,
                    const std::string& overrideDevice, IDocumentUi& ui, QWidget* parent = nullptr);

    SoundDeviceChoice Choice() const;
    void accept() override;

private:
    void OnSelection();

    IDocumentUi& m_ui;
    QListWidget* m_list;
    QLineEdit* m_dut;
    QLabel* m_override;
};
