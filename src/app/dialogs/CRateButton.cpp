#include "app/dialogs/CRateButton.h"

#include "filters/RemezSettings.h"

CRateButton::CRateButton(QWidget* parent) : QPushButton(parent) {
    setObjectName(QStringLiteral("rate"));
    SetRateIndex(1);
    connect(this, &QPushButton::clicked, this, [this] {
        SetRateIndex((m_index + 1) % 3);
        emit rateChanged(Rate());
    });
}

int CRateButton::Rate() const {
    return EasyRemezSampleRate(m_index);
}

void CRateButton::SetRateIndex(int index) {
    m_index = index >= 0 && index <= 2 ? index : 1;
    static const char* const labels[] = {"Fs=44.1kHz", "Fs=48kHz", "Fs=96kHz"};
    setText(QString::fromUtf8(labels[m_index]));
}
