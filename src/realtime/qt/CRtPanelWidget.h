#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class CQueuedDelivery;
class CRateButton;
class CRtFilterTool;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

// The controls every real-time filter panel shares, over a CRtFilterTool: "開始" and "終了", the
// rate button, "line" / "gen" with the generator level, "ﾌｨﾙﾀｰCH", "ﾗｲﾝｱｳﾄﾓｰﾄﾞ", "ｹﾞｲﾝ(dB)" with
// "固定", the display list, "最大値(dB)" and "D_ﾚﾝｼﾞ(dB)", the "処理能力" bar and "保存".
//
// The engine's completions are delivered on this widget's thread (a queued call from the
// device's notifier) for as long as the widget lives. Widget names: "start", "stop", "rate",
// "line", "gen", "level", "channel", "lineOut", "gain", "gainFixed", "display", "topLevel",
// "range", "load", "save".
class CRtPanelWidget : public QWidget {
    Q_OBJECT
public:
    // `displays` are the display list's entries (none: no list); `channels` the number of
    // channel entries (3 or 4).
    CRtPanelWidget(CRtFilterTool& tool, const QStringList& displays, int channels = 4,
                   QWidget* parent = nullptr);
    ~CRtPanelWidget() override;

    // What the owner does on the buttons and the list.
    std::function<void()> onStart;
    std::function<void()> onStop;
    std::function<void()> onSave;
    std::function<void(int)> onDisplay; // the entry chosen
    // Called after every delivery of buffers and on the meter's timer.
    std::function<void()> onRefresh;

    // Shows the tool's values again (the display list at `display`).
    void Refresh(int display = -1);
    QPushButton* StartButton() const { return m_start; }
    // For panels that have their own "開始", "終了" and rate button (the Remez panels).
    void HideStartStopAndRate();

private:
    void Dispatch();

    CRtFilterTool& m_tool;
    QPushButton* m_start;
    QPushButton* m_stop;
    CRateButton* m_rate;
    QRadioButton* m_line;
    QRadioButton* m_gen;
    QSlider* m_level;
    QComboBox* m_channel;
    QComboBox* m_lineOut;
    QLineEdit* m_gain;
    QCheckBox* m_fixed;
    QComboBox* m_display = nullptr;
    QLineEdit* m_top;
    QLineEdit* m_range;
    QProgressBar* m_load;
    QPushButton* m_save;
    QTimer* m_meter;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    bool m_bSyncing = false;
};
