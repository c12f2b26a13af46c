#include "app/dialogs/CEasyRemezDlg.h"

#include "app/dialogs/CRateButton.h"
#include "app/dialogs/RemezPanelText.h"
#include "document/DocumentUi.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSliderStep = 1.075835899;
constexpr int kSliderMax = 80; // 200 * 1.0758^80 is above every Nyquist frequency offered

QLineEdit* NumberEdit(const char* name, double value) {
    auto* e = new QLineEdit(QString::number(value));
    e->setObjectName(QString::fromUtf8(name));
    return e;
}
} // namespace

int CEasyRemezDlg::SliderPosition(double f) {
    return static_cast<int>(std::ceil(std::log(0.005 * f) / std::log(kSliderStep)));
}

CEasyRemezDlg::CEasyRemezDlg(IDocumentUi& ui, const EasyRemezSettings& s, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("Remez_Exchange(簡易設定)"));
    m_shape = new QComboBox;
    m_shape->setObjectName(QStringLiteral("shape"));
    for (const char* name : {"LowPass", "HighPass", "BandPass", "BandStop"})
        m_shape->addItem(QString::fromUtf8(name));
    m_shape->setCurrentIndex(std::clamp(s.shape, 0, 3));
    m_tapsEdit = NumberEdit("taps", s.taps);
    m_f1 = NumberEdit("f1", s.f1);
    m_f2 = NumberEdit("f2", s.f2);
    m_transition = NumberEdit("transition", s.transition);
    m_ripple = NumberEdit("ripple", s.ripple);
    m_atten = NumberEdit("atten", s.atten);
    m_slider1 = new QSlider(Qt::Horizontal);
    m_slider1->setObjectName(QStringLiteral("slider1"));
    m_slider2 = new QSlider(Qt::Horizontal);
    m_slider2->setObjectName(QStringLiteral("slider2"));
    for (QSlider* sl : {m_slider1, m_slider2}) sl->setRange(0, kSliderMax);
    m_slider1->setValue(std::clamp(SliderPosition(s.f1), 0, kSliderMax));
    m_slider2->setValue(std::clamp(SliderPosition(s.f2), 0, kSliderMax));
    m_rate = new CRateButton;
    m_rate->SetRateIndex(s.rateIndex);
    auto* predict = new QPushButton(QStringLiteral("予測"));
    predict->setObjectName(QStringLiteral("predict"));
    auto* start = new QPushButton(QStringLiteral("開始"));
    start->setObjectName(QStringLiteral("start"));
    auto* stop = new QPushButton(QStringLiteral("終了"));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* label, QWidget* w, const char* unit) {
        grid->addWidget(new QLabel(QString::fromUtf8(label)), row, 0);
        grid->addWidget(w, row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(unit)), row, 2);
        ++row;
    };
    addRow("ﾌｨﾙﾀｰの選択", m_shape, "");
    addRow("ﾀｯﾌﾟ数", m_tapsEdit, "個");
    addRow("ｶｯﾄｵﾌ周波数(1)", m_f1, "Hz");
    grid->addWidget(m_slider1, row++, 0, 1, 3);
    addRow("ｶｯﾄｵﾌ周波数(2)", m_f2, "Hz");
    grid->addWidget(m_slider2, row++, 0, 1, 3);
    addRow("遷移帯域幅", m_transition, "Hz");
    addRow("ﾘｯﾌﾟﾙ", m_ripple, "dB");
    addRow("阻止ﾚﾍﾞﾙ", m_atten, "dB");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_rate);
    buttons->addWidget(predict);
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(stop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(predict, &QPushButton::clicked, this, [this] { Predict(); });
    connect(start, &QPushButton::clicked, this, [this] { Start(); });
    connect(stop, &QPushButton::clicked, this, &CEasyRemezDlg::Stop);
    connect(m_shape, &QComboBox::currentIndexChanged, this, &CEasyRemezDlg::SettingChanged);
    connect(m_rate, &CRateButton::rateChanged, this, &CEasyRemezDlg::SettingChanged);
    for (QLineEdit* e : {m_tapsEdit, m_f1, m_f2, m_transition, m_ripple, m_atten})
        connect(e, &QLineEdit::editingFinished, this, &CEasyRemezDlg::SettingChanged);
    connect(m_slider1, &QSlider::valueChanged, this, [this](int p) { SliderMoved(1, p); });
    connect(m_slider2, &QSlider::valueChanged, this, [this](int p) { SliderMoved(2, p); });
    ShowDesign();
}

EasyRemezSettings CEasyRemezDlg::Settings() const {
    EasyRemezSettings s;
    s.shape = m_shape->currentIndex();
    s.taps = m_tapsEdit->text().toInt();
    s.f1 = m_f1->text().toFloat();
    s.f2 = m_f2->text().toFloat();
    s.transition = m_transition->text().toFloat();
    s.ripple = m_ripple->text().toFloat();
    s.atten = m_atten->text().toFloat();
    s.rateIndex = m_rate->RateIndex();
    return s;
}

void CEasyRemezDlg::Focus(RemezField field) {
    QLineEdit* e = nullptr;
    switch (field) {
    case RemezField::Cutoff1:
        e = m_f1;
        break;
    case RemezField::Cutoff2:
        e = m_f2;
        break;
    case RemezField::Transition:
        e = m_transition;
        break;
    case RemezField::Taps:
        e = m_tapsEdit;
        break;
    case RemezField::Ripple:
        e = m_ripple;
        break;
    case RemezField::Atten:
        e = m_atten;
        break;
    default:
        return;
    }
    e->selectAll();
    e->setFocus();
}

bool CEasyRemezDlg::Validate() {
    const EasyRemezSettings s = Settings();
    const RemezCheck check = ValidateEasyRemez(s, m_rate->Rate());
    if (!check.ok) {
        m_ui.ShowMessage(check.message, MessageIcon::None);
        Focus(check.field);
        return false;
    }
    m_bSyncing = true;
    m_slider1->setValue(std::clamp(SliderPosition(s.f1), 0, kSliderMax));
    m_slider2->setValue(std::clamp(SliderPosition(s.f2), 0, kSliderMax));
    m_bSyncing = false;
    return true;
}

bool CEasyRemezDlg::Predict() {
    if (!Validate()) return false;
    const int taps = EstimateRemezTaps(Settings(), m_rate->Rate());
    if (const RemezCheck check = ValidateRemezTaps(taps, kRemezMaxTaps); !check.ok) {
        m_ui.ShowMessage(check.message, MessageIcon::None);
        Focus(RemezField::Taps);
        return false;
    }
    m_tapsEdit->setText(QString::number(taps));
    if (m_bRunning) Start();
    return true;
}

bool CEasyRemezDlg::Start() {
    if (!Validate()) return false;
    const EasyRemezSettings s = Settings();
    const int fs = m_rate->Rate();
    if (DesignRemez(EasyRemezBands(s, fs), s.taps, fs, m_taps) != 1) {
        m_bRunning = false;
        m_taps.clear();
        ShowDesign();
        m_ui.ShowMessage(kRemezNoConvergenceEasy, MessageIcon::None);
        return false;
    }
    m_bRunning = true;
    ShowDesign();
    if (onDesigned) onDesigned(m_taps, fs);
    return true;
}

void CEasyRemezDlg::Stop() {
    if (!m_bRunning) m_ui.ShowMessage(kRemezNoDspMessage, MessageIcon::None);
    m_bRunning = false;
    accept();
}

void CEasyRemezDlg::SettingChanged() {
    if (m_bRunning) Start();
}

void CEasyRemezDlg::SliderMoved(int which, int position) {
    if (m_bSyncing) return;
    const double f = std::floor(200.0 * std::pow(kSliderStep, position));
    (which == 1 ? m_f1 : m_f2)->setText(QString::number(f));
    SettingChanged();
}

void CEasyRemezDlg::ShowDesign() {
    m_status->setText(RemezDesignStatus(m_taps));
}
