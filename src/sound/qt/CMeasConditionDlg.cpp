#include "sound/qt/CMeasConditionDlg.h"

#include "app/CQtDocumentUi.h"
#include "app/dialogs/PointCountCombo.h"
#include "app/dialogs/SpinRow.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/settings/MeasConditions.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

QRadioButton* Radio(const char* text, const char* name) {
    auto* radio = new QRadioButton(QString::fromUtf8(text));
    radio->setObjectName(QString::fromUtf8(name));
    return radio;
}

QLineEdit* ReadOnlyEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setObjectName(QString::fromUtf8(name));
    return edit;
}

QHBoxLayout* Pair(QWidget* a, QWidget* b) {
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    return row;
}

} // namespace

CMeasConditionDlg::CMeasConditionDlg(CMeasConditions& conditions, QWidget* parent)
    : QDialog(parent), m_c(conditions) {
    setWindowTitle(QStringLiteral("測定条件の設定"));

    m_rate = new QComboBox;
    m_rate->setObjectName(QStringLiteral("rate"));
    for (int i = 0; i < meas::kRateCount; ++i)
        m_rate->addItem(QString::fromUtf8(meas::RateText(i)));
    m_bits8 = Radio("8bit", "bits8");
    m_bits16 = Radio("16bit", "bits16");
    m_mono = Radio("ﾓﾉ", "mono");
    m_stereo = Radio("ｽﾃﾚｵ", "stereo");
    // The two pairs are separate groups of exclusive choices.
    auto* bitsBox = new QWidget;
    bitsBox->setLayout(Pair(m_bits8, m_bits16));
    auto* channelBox = new QWidget;
    channelBox->setLayout(Pair(m_mono, m_stereo));
    m_points = MakePointCountCombo(m_c.pow);
    m_window = new QComboBox;
    m_window->setObjectName(QStringLiteral("window"));
    for (int i = 0; i <= meas::kWindowNone; ++i)
        m_window->addItem(QString::fromUtf8(meas::WindowText(i)));
    m_bandwidth = new QLineEdit;
    m_characteristic = ReadOnlyEdit("characteristic");
    m_switch = new QPushButton(QStringLiteral("切替"));
    m_switch->setObjectName(QStringLiteral("switch"));
    m_modeLabel = ReadOnlyEdit("modeLabel");
    m_windowNote = ReadOnlyEdit("windowNote");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾘﾝｸﾞ周波数"), m_rate);
    form->addRow(QStringLiteral("ﾋﾞｯﾄ幅"), bitsBox);
    form->addRow(QStringLiteral("ﾁｬﾝﾈﾙ"), channelBox);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾙ点数"), m_points);
    form->addRow(QStringLiteral("窓関数の設定"), m_window);
    form->addRow(QString(), m_windowNote);
    // The spin's up arrow lowers the exponent (one more halving).
    form->addRow(QStringLiteral("ﾀﾞｳﾝｻﾝﾌﾟﾙ"),
                 MakeSpinRow(m_bandwidth, this, QStringLiteral("bandwidth"), [this](int d) {
                     m_c.StepDownSampling(-d);
                     Refresh();
                 }));
    form->addRow(QStringLiteral("特性"), Pair(m_characteristic, m_switch));
    form->addRow(QString(), m_modeLabel);
    form->addRow(buttons);

    connect(m_rate, &QComboBox::activated, this, [this](int i) {
        m_c.SelectRate(i);
        Refresh();
    });
    connect(m_bits8, &QRadioButton::clicked, this, [this] {
        m_c.SelectBits(meas::kBits8);
        Refresh();
    });
    connect(m_bits16, &QRadioButton::clicked, this, [this] {
        m_c.SelectBits(meas::kBits16);
        Refresh();
    });
    connect(m_mono, &QRadioButton::clicked, this, [this] {
        m_c.SelectChannels(meas::kMono);
        Refresh();
    });
    connect(m_stereo, &QRadioButton::clicked, this, [this] {
        m_c.SelectChannels(meas::kStereo);
        Refresh();
    });
    connect(m_points, &QComboBox::activated, this, [this](int i) { m_c.pow = i; });
    connect(m_window, &QComboBox::activated, this, [this](int i) { m_c.windowIndex = i; });
    connect(m_switch, &QPushButton::clicked, this, [this] {
        m_c.CycleCharacteristic();
        Refresh();
    });
    Refresh();
}

void CMeasConditionDlg::Refresh() {
    const QSignalBlocker blockRate(m_rate), blockPoints(m_points), blockWindow(m_window);
    m_rate->setCurrentIndex(m_c.rateIndex);
    m_bits8->setEnabled(m_c.Mode().allow8Bit);
    m_bits8->setChecked(m_c.bitsIndex == meas::kBits8);
    m_bits16->setChecked(m_c.bitsIndex != meas::kBits8);
    m_mono->setChecked(m_c.channelsIndex == meas::kMono);
    m_stereo->setChecked(m_c.channelsIndex != meas::kMono);
    m_points->setCurrentIndex(m_c.pow);
    m_window->setCurrentIndex(m_c.windowIndex);
    m_bandwidth->setText(UiText(m_c.BandwidthText()));
    m_characteristic->setText(UiText(m_c.characteristic));
    m_modeLabel->setText(UiText(m_c.ModeLabel()));
    m_windowNote->setText(UiText(m_c.WindowNote()));
    const bool characteristic = m_c.CharacteristicEnabled();
    m_characteristic->setEnabled(characteristic);
    m_switch->setEnabled(characteristic);
    m_modeLabel->setEnabled(characteristic);
}

bool CQtDocumentUi::AskMeasConditions(CMeasConditions& conditions) {
    CMeasConditionDlg dlg(conditions, m_parent);
    return dlg.exec() == QDialog::Accepted;
}
