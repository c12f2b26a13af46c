#include "realtime/qt/CRadioDlg.h"

#include "app/dialogs/CRateButton.h"
#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"
#include "realtime/CutSliders.h"
#include "realtime/RadioTool.h"
#include "realtime/RtFilterTool.h"
#include "realtime/qt/CRtToolDlg.h"
#include "realtime/qt/RtPanelParts.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QComboBox* List(const QString& name, std::initializer_list<const char*> items) {
    auto* c = new QComboBox;
    c->setObjectName(name);
    for (const char* i : items) c->addItem(QString::fromUtf8(i));
    return c;
}

QCheckBox* Check(const char* text, const char* name) {
    auto* c = new QCheckBox(QString::fromUtf8(text));
    c->setObjectName(QString::fromUtf8(name));
    return c;
}

QSlider* Slider(const char* name, int lo, int hi) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(QString::fromUtf8(name));
    s->setRange(lo, hi);
    s->setMinimumWidth(110);
    return s;
}

QLineEdit* ReadOnly(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromUtf8(name));
    e->setMaximumWidth(52);
    e->setAlignment(Qt::AlignRight);
    return e;
}

// The IQ modes, whose local oscillator 1 may be negative.
bool IsIqMode(const RadioSettings& s) {
    const RadioMode m = RadioModeOf(s);
    return m == RadioMode::IqLsbTx || m == RadioMode::IqUsbTx || m == RadioMode::IqLsbRx ||
           m == RadioMode::IqUsbRx;
}

// Oscillator slider steps: rate / 400 for oscillator 1, rate / 200 for oscillator 2.
constexpr int kIf1Steps = 400, kIf2Steps = 200;
constexpr int kIfSliderMax = 200;

} // namespace

CRadioDlg::FilterFields CRadioDlg::MakeFilter(const char* prefix) {
    const QString p = QString::fromUtf8(prefix);
    FilterFields f{};
    f.shape = List(p + "Shape", {"LowPass", "HighPass", "BandPass", "BandStop"});
    f.kind = List(p + "Kind", {"ﾊﾞﾀｰﾜｰｽ", "ﾁｪﾋﾞｼｪﾌ", "逆ﾁｪﾋﾞｼｪﾌ", "連立ﾁｪﾋﾞｼｪﾌ"});
    f.low = RtNumberEdit((std::string(prefix) + "Low").c_str(), 0);
    f.high = RtNumberEdit((std::string(prefix) + "High").c_str(), 0);
    f.ripple = RtNumberEdit((std::string(prefix) + "Ripple").c_str(), 0);
    f.reject = RtNumberEdit((std::string(prefix) + "Reject").c_str(), 0);
    f.order = RtNumberEdit((std::string(prefix) + "Order").c_str(), 0);
    return f;
}

QWidget* CRadioDlg::MakeOscillators() {
    m_if1 = RtNumberEdit("if1", 0);
    m_if2 = RtNumberEdit("if2", 0);
    m_if1Slider = Slider("if1Slider", 0, kIfSliderMax);
    m_if2Slider = Slider("if2Slider", 0, kIfSliderMax / 2);
    m_vol1 = Slider("vol1", radiolimits::kMinLevelDb, radiolimits::kMaxLevelDb);
    m_vol2 = Slider("vol2", radiolimits::kMinLevelDb, radiolimits::kMaxLevelDb);
    auto* box = new QGroupBox(QString::fromUtf8("局発"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QString::fromUtf8("局発①(kHz)")), 0, 0);
    grid->addWidget(m_if1, 0, 1);
    grid->addWidget(m_if1Slider, 0, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("局発②(kHz)")), 1, 0);
    grid->addWidget(m_if2, 1, 1);
    grid->addWidget(m_if2Slider, 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("ｹﾞｲﾝ①(dB)")), 2, 0);
    grid->addWidget(m_vol1, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("ｹﾞｲﾝ②(dB)")), 3, 0);
    grid->addWidget(m_vol2, 3, 1, 1, 2);
    return box;
}

QWidget* CRadioDlg::MakeSource() {
    m_rate = new CRateButton;
    m_rate->setObjectName(QStringLiteral("rate"));
    m_line = new QRadioButton(QStringLiteral("line"));
    m_line->setObjectName(QStringLiteral("line"));
    m_gen = new QRadioButton(QStringLiteral("gen"));
    m_gen->setObjectName(QStringLiteral("gen"));
    m_sine = Check("Singen", "sine");
    m_noise = Check("Noisegen", "noise");
    m_toneSlider = Slider("toneSlider", 0, cutslider::kMax);
    m_sineLevel = Slider("sineLevel", radiolimits::kMinLevelDb, 0);
    m_noiseLevel = Slider("noiseLevel", radiolimits::kMinLevelDb, 0);
    auto* box = new QGroupBox(QString::fromUtf8("信号源"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(m_rate, 0, 0);
    grid->addWidget(m_line, 0, 1);
    grid->addWidget(m_gen, 0, 2);
    grid->addWidget(m_sine, 1, 0);
    grid->addWidget(m_toneSlider, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("ﾚﾍﾞﾙ")), 2, 0, Qt::AlignRight);
    grid->addWidget(m_sineLevel, 2, 1, 1, 2);
    grid->addWidget(m_noise, 3, 0);
    grid->addWidget(m_noiseLevel, 3, 1, 1, 2);
    return box;
}

QWidget* CRadioDlg::MakeOutput(CKymoDoc& doc) {
    m_gain = ReadOnly("gain");
    m_fixed = Check("固定", "gainFixed");
    m_balance = ReadOnly("iqBalance");
    m_phase = ReadOnly("iqPhase");
    auto* gainRow = MakeSpinRow(m_gain, this, QStringLiteral("gain"), [this](int d) {
        TakeFields();
        RadioPanel p = m_tool->Panel();
        p.gainDb = std::clamp(p.gainDb + d, -20, 20);
        m_tool->SetPanel(p);
        Refresh();
    });
    gainRow->addWidget(m_fixed);
    const auto iqStep = [this](int amplitude, int phase) {
        m_tool->SetIqBalance(m_tool->Settings().IQ_BalSpin + amplitude,
                             m_tool->Panel().iqPhase + phase);
        Refresh();
    };
    auto* box = new QGroupBox(QString::fromUtf8("出力"));
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Out_Gain(dB)"), gainRow);
    m_showLevels = AddDisplayLevelRows(form, doc, this);
    form->addRow(QString::fromUtf8("IQ振幅"),
                 MakeSpinRow(m_balance, this, QStringLiteral("iqBalance"),
                             [iqStep](int d) { iqStep(d, 0); }));
    form->addRow(QString::fromUtf8("IQ位相"), MakeSpinRow(m_phase, this, QStringLiteral("iqPhase"),
                                                          [iqStep](int d) { iqStep(0, d); }));
    return box;
}

CRadioDlg::CRadioDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_tool(std::make_unique<CRadioTool>(doc, card)) {
    setWindowTitle(QString::fromUtf8("AM/SSB(LSB,USB)変復調"));
    m_trm = Check("変調", "transmit");
    m_rcv = Check("受信", "receive");
    m_mode = new QComboBox;
    m_mode->setObjectName(QStringLiteral("mode"));
    m_mode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_display =
        List(QStringLiteral("display"), {"f特:結果", "f特:累積", "f特:個別", "Log_AF", "Log_RF",
                                         "Lin_AF", "Lin_RF", "Waterfall", "Moni_OFF"});
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_trm);
    flags->addWidget(m_rcv);
    flags->addWidget(m_mode, 1);
    flags->addSpacing(12);
    flags->addWidget(new QLabel(QString::fromUtf8("表示")));
    flags->addWidget(m_display);

    auto* filters = new QHBoxLayout;
    const char* const titles[2] = {"ﾌｨﾙﾀｰ①", "ﾌｨﾙﾀｰ②"};
    const char* const prefixes[2] = {"f1", "f2"};
    for (int i = 0; i < 2; ++i) {
        m_f[i] = MakeFilter(prefixes[i]);
        auto* box = new QGroupBox(QString::fromUtf8(titles[i]));
        auto* form = new QFormLayout(box);
        form->addRow(m_f[i].shape);
        form->addRow(m_f[i].kind);
        form->addRow(QStringLiteral("Low(Hz)"), m_f[i].low);
        form->addRow(QStringLiteral("High(Hz)"), m_f[i].high);
        form->addRow(QString::fromUtf8("ﾘｯﾌﾟﾙ(dB)"), m_f[i].ripple);
        form->addRow(QString::fromUtf8("阻止(dB)"), m_f[i].reject);
        form->addRow(QString::fromUtf8("次数"), m_f[i].order);
        filters->addWidget(box);
    }
    filters->addWidget(MakeOutput(doc));

    auto* middle = new QHBoxLayout;
    middle->addWidget(MakeOscillators());
    middle->addWidget(MakeSource());

    m_start = MakePanelButton(QString::fromUtf8("開始"), QStringLiteral("start"));
    m_stop = MakePanelButton(QString::fromUtf8("終了"), QStringLiteral("stop"));
    m_default = MakePanelButton(QStringLiteral("Defoult"), QStringLiteral("default"));
    m_save = MakePanelButton(QString::fromUtf8("保存"), QStringLiteral("save"));
    m_load = MakePanelButton(QString::fromUtf8("読出"), QStringLiteral("load"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_start, m_default, m_save, m_load}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(m_stop);

    auto* all = new QVBoxLayout(this);
    all->addLayout(flags);
    all->addLayout(filters);
    all->addLayout(middle);
    all->addLayout(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);

    Connect();
    m_delivery = std::make_unique<CQueuedDelivery>(
        m_tool->Engine().Queue(), this, [this] { m_tool->Engine().DispatchCompletions(); });
    Refresh();
}

void CRadioDlg::Connect() {
    const auto flagsChanged = [this] {
        TakeFields();
        m_tool->SetFlags(m_trm->isChecked(), m_rcv->isChecked());
        Refresh();
    };
    connect(m_trm, &QCheckBox::clicked, this, flagsChanged);
    connect(m_rcv, &QCheckBox::clicked, this, flagsChanged);
    connect(m_mode, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        TakeFields();
        m_tool->SetMode(i);
        Refresh();
    });
    connect(m_display, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        TakeFields();
        m_tool->SetDisplay(i);
        Refresh();
    });
    connect(m_start, &QPushButton::clicked, this, [this] {
        TakeFields();
        m_tool->OnStart();
        Refresh();
    });
    connect(m_stop, &QPushButton::clicked, this, [this] { OnStop(); });
    connect(m_default, &QPushButton::clicked, this, [this] {
        TakeFields();
        m_tool->OnDefault();
        Refresh();
    });
    connect(m_save, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QString(), QString(),
                                                          QStringLiteral("CoefData(*.csv)"));
        if (!path.isEmpty()) m_tool->OnSave(path.toStdString());
    });
    connect(m_load, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          QStringLiteral("CoefData(*.csv)"));
        if (!path.isEmpty()) m_tool->OnLoad(path.toStdString());
        Refresh();
    });
    connect(m_rate, &CRateButton::rateChanged, this, [this] {
        TakeFields();
        m_tool->SetRateIndex(m_rate->RateIndex());
        if (m_tool->IsRunning()) m_tool->OnStart();
        Refresh();
    });
    // Panel values take effect at once; settings at the next start.
    const auto panelChanged = [this] {
        if (m_bSyncing) return;
        TakeFields();
        Refresh();
    };
    connect(m_line, &QRadioButton::toggled, this, panelChanged);
    connect(m_sine, &QCheckBox::toggled, this, panelChanged);
    connect(m_noise, &QCheckBox::toggled, this, panelChanged);
    connect(m_fixed, &QCheckBox::toggled, this, panelChanged);
    for (QSlider* s : {m_sineLevel, m_noiseLevel, m_vol1, m_vol2})
        connect(s, &QSlider::valueChanged, this, panelChanged);
    connect(m_toneSlider, &QSlider::valueChanged, this, [this](int position) {
        if (m_bSyncing) return;
        TakeFields();
        RadioPanel p = m_tool->Panel();
        p.sineFreq = CutSliderFrequency(position);
        m_tool->SetPanel(p);
        Refresh();
    });
    const auto oscillatorMoved = [this](QSlider* slider, QLineEdit* edit, int steps) {
        if (m_bSyncing) return;
        const double hz = static_cast<double>(slider->value()) * m_tool->Rate() / steps;
        edit->setText(QString::number(std::trunc(hz) / 1000.0));
        TakeFields();
        Refresh();
    };
    connect(m_if1Slider, &QSlider::valueChanged, this,
            [this, oscillatorMoved] { oscillatorMoved(m_if1Slider, m_if1, kIf1Steps); });
    connect(m_if2Slider, &QSlider::valueChanged, this,
            [this, oscillatorMoved] { oscillatorMoved(m_if2Slider, m_if2, kIf2Steps); });
}

CRadioDlg::~CRadioDlg() {
    m_delivery.reset();
}

void CRadioDlg::TakeFields() {
    RadioSettings s = m_tool->Settings();
    int* shapes[2] = {&s.m_filter, &s.m_cfilter};
    int* kinds[2] = {&s.m_filter2, &s.m_cfilter2};
    float* lows[2] = {&s.m_cutlow, &s.m_ccutlow};
    float* highs[2] = {&s.m_cuthigh, &s.m_ccuthigh};
    float* ripples[2] = {&s.m_ripple, &s.m_cripple};
    float* rejects[2] = {&s.m_reject, &s.m_creject};
    int* orders[2] = {&s.m_tapbuf, &s.m_ctapbuf};
    for (int i = 0; i < 2; ++i) {
        *shapes[i] = m_f[i].shape->currentIndex();
        *kinds[i] = m_f[i].kind->currentIndex();
        *lows[i] = static_cast<float>(RtNumber(m_f[i].low));
        *highs[i] = static_cast<float>(RtNumber(m_f[i].high));
        *ripples[i] = static_cast<float>(RtNumber(m_f[i].ripple));
        *rejects[i] = static_cast<float>(RtNumber(m_f[i].reject));
        *orders[i] = static_cast<int>(RtNumber(m_f[i].order));
    }
    s.m_iffreq = static_cast<int>(std::lround(RtNumber(m_if1) * 1000.0));
    s.m_iffreq2 = static_cast<int>(std::lround(RtNumber(m_if2) * 1000.0));
    s.m_VolLevel = m_vol1->value();
    s.m_VolGain = static_cast<float>(std::pow(10.0, s.m_VolLevel / 20.0));
    s.m_VolLevel2 = m_vol2->value();
    s.m_VolGain2 = static_cast<float>(std::pow(10.0, s.m_VolLevel2 / 20.0));
    m_tool->SetSettings(s);
    RadioPanel p = m_tool->Panel();
    p.generator = m_gen->isChecked();
    p.sineOn = m_sine->isChecked();
    p.noiseOn = m_noise->isChecked();
    p.sineDb = m_sineLevel->value();
    p.noiseDb = m_noiseLevel->value();
    p.gainFixed = m_fixed->isChecked();
    m_tool->SetPanel(p);
}

void CRadioDlg::Refresh() {
    m_bSyncing = true;
    const RadioSettings& s = m_tool->Settings();
    const RadioPanel& p = m_tool->Panel();
    m_trm->setChecked(s.TrmFlg != 0);
    m_rcv->setChecked(s.RcvFlg != 0);
    m_mode->clear();
    for (const std::string& name : m_tool->ModeNames())
        m_mode->addItem(QString::fromStdString(name));
    m_mode->setCurrentIndex(s.m_mod);
    m_display->setCurrentIndex(p.display);
    const int shapes[2] = {s.m_filter, s.m_cfilter};
    const int kinds[2] = {s.m_filter2, s.m_cfilter2};
    const float lows[2] = {s.m_cutlow, s.m_ccutlow};
    const float highs[2] = {s.m_cuthigh, s.m_ccuthigh};
    const float ripples[2] = {s.m_ripple, s.m_cripple};
    const float rejects[2] = {s.m_reject, s.m_creject};
    const int orders[2] = {s.m_tapbuf, s.m_ctapbuf};
    for (int i = 0; i < 2; ++i) {
        m_f[i].shape->setCurrentIndex(shapes[i]);
        m_f[i].kind->setCurrentIndex(kinds[i]);
        m_f[i].low->setText(QString::number(lows[i]));
        m_f[i].high->setText(QString::number(highs[i]));
        m_f[i].ripple->setText(QString::number(ripples[i]));
        m_f[i].reject->setText(QString::number(rejects[i]));
        m_f[i].order->setText(QString::number(orders[i]));
    }
    const int rate = m_tool->Rate();
    m_if1->setText(QString::number(s.m_iffreq / 1000.0));
    m_if2->setText(QString::number(s.m_iffreq2 / 1000.0));
    m_if1Slider->setMinimum(IsIqMode(s) ? -kIfSliderMax : 0);
    m_if1Slider->setValue(static_cast<int>(std::lround(double(s.m_iffreq) * kIf1Steps / rate)));
    m_if2Slider->setValue(static_cast<int>(std::lround(double(s.m_iffreq2) * kIf2Steps / rate)));
    m_vol1->setValue(s.m_VolLevel);
    m_vol2->setValue(s.m_VolLevel2);
    m_gen->setChecked(p.generator);
    m_line->setChecked(!p.generator);
    m_sine->setChecked(p.sineOn);
    m_noise->setChecked(p.noiseOn);
    m_toneSlider->setValue(CutSliderPosition(p.sineFreq));
    m_toneSlider->setToolTip(QStringLiteral("%1 Hz").arg(p.sineFreq));
    m_sineLevel->setValue(p.sineDb);
    m_noiseLevel->setValue(p.noiseDb);
    for (QWidget* w : {static_cast<QWidget*>(m_sine), static_cast<QWidget*>(m_noise),
                       static_cast<QWidget*>(m_toneSlider), static_cast<QWidget*>(m_sineLevel),
                       static_cast<QWidget*>(m_noiseLevel)})
        w->setEnabled(p.generator);
    m_gain->setText(QString::number(p.gainDb));
    m_fixed->setChecked(p.gainFixed);
    m_balance->setText(QString::number(s.IQ_BalSpin));
    m_phase->setText(QString::number(p.iqPhase));
    m_rate->SetRateIndex(m_tool->RateIndex());
    m_showLevels();
    m_bSyncing = false;
}

void CRadioDlg::OnStop() {
    if (m_bClosing) return;
    m_bClosing = true;
    m_tool->Close();
    accept();
}

void CRadioDlg::reject() {
    OnStop();
}
