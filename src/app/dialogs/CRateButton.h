#pragma once

#include <QPushButton>

// The sampling-rate button of the real-time filter tools: each press cycles
// 44100 -> 48000 -> 96000 -> 44100 Hz. Starts at 48000 Hz.
class CRateButton : public QPushButton {
    Q_OBJECT
public:
    explicit CRateButton(QWidget* parent = nullptr);

    int RateIndex() const { return m_index; } // 0, 1, 2
    int Rate() const;
    void SetRateIndex(int index);

signals:
    void rateChanged(int rate);

private:
    int m_index = 1;
};
