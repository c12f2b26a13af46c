#include "realtime/qt/CRadioDlg.h"

#include "document/CKymoDoc.h"
#include "realtime/RadioTool.h"
#include "realtime/RtFilterTool.h"
#include "realtime/qt/CRtToolDlg.h"
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
#include <QVBoxLayout>

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

CRadioDlg::CRadioDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_tool(std::make_unique<CRadioTool>(doc, card)) {
    setWindowTitle(QString::fromUtf8("AM/SSB(LSB,USB)変復調"));
    m_trm = Check("変調", "transmit");
    m_rcv = Check("受信", "receive");
    m_mode = new QComboBox;
    m_mode->setObjectName(QStringLiteral("mode"));
    m_display =
        List(QStringLiteral("display"), {"f特:結果", "f特:累積", "f特:個別", "Log_AF", "Log_RF",
                                         "Lin_AF", "Lin_RF", "Waterfall", "Moni_OFF"});
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_trm);
    flags->addWidget(m_rcv);
    flags->addWidget(m_mode);
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
        form->addRow(QString::fromUtf8("Low(Hz)"), m_f[i].low);
        form->addRow(QString::fromUtf8("High(Hz)"), m_f[i].high);
        form->addRow(QString::fromUtf8("ﾘｯﾌﾟﾙ(dB)"), m_f[i].ripple);
        form->addRow(QString::fromUtf8("阻止(dB)"), m_f[i].reject);
        form->addRow(QString::fromUtf8("次数"), m_f[i].order);
        filters->addWidget(box);
    }

    m_if1 = RtNumberEdit("if1", 0);
    m_if2 = RtNumberEdit("if2", 0);
    m_line = new QRadioButton(QStringLiteral("line"));
    m_line->setObjectName(QStringLiteral("line"));
    m_gen = new QRadioButton(QStringLiteral("gen"));
    m_gen->setObjectName(QStringLiteral("gen"));
    m_sine = Check("Singen", "sine");
    m_noise = Check("Noisegen", "noise");
    m_tone = RtNumberEdit("tone", m_tool->Panel().sineFreq);
    m_gain = RtNumberEdit("gain", 0);
    m_fixed = Check("固定", "gainFixed");
    m_rate = MakePanelButton(QStringLiteral("Fs=48kHz"), QStringLiteral("rate"));
    auto* osc = new QFormLayout;
    osc->addRow(QString::fromUtf8("局発①(Hz)"), m_if1);
    osc->addRow(QString::fromUtf8("局発②(Hz)"), m_if2);
    osc->addRow(QString::fromUtf8("Out_Gain(dB)"), m_gain);
    osc->addRow(QString(), m_fixed);
    auto* source = new QGridLayout;
    source->addWidget(m_rate, 0, 0, 1, 2);
    source->addWidget(m_line, 1, 0);
    source->addWidget(m_gen, 1, 1);
    source->addWidget(m_sine, 2, 0);
    source->addWidget(m_tone, 2, 1);
    source->addWidget(m_noise, 3, 0);
    auto* middle = new QHBoxLayout;
    middle->addLayout(osc);
    middle->addLayout(source);

    auto* buttons = new QHBoxLayout;
    QPushButton* start = MakePanelButton(QString::fromUtf8("開始"), QStringLiteral("start"));
    QPushButton* stop = MakePanelButton(QString::fromUtf8("終了"), QStringLiteral("stop"));
    QPushButton* defaults = MakePanelButton(QStringLiteral("Defoult"), QStringLiteral("default"));
    QPushButton* save = MakePanelButton(QString::fromUtf8("保存"), QStringLiteral("save"));
    QPushButton* load = MakePanelButton(QString::fromUtf8("読出"), QStringLiteral("load"));
    for (QPushButton* b : {start, stop, defaults, save, load}) buttons->addWidget(b);

    auto* all = new QVBoxLayout(this);
    all->addLayout(flags);
    all->addLayout(filters);
    all->addLayout(middle);
    all->addLayout(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);

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
    connect(start, &QPushButton::clicked, this, [this] {
        TakeFields();
        m_tool->OnStart();
        Refresh();
    });
    connect(stop, &QPushButton::clicked, this, [this] { OnStop(); });
    connect(defaults, &QPushButton::clicked, this, [this] {
        TakeFields();
        m_tool->OnDefault();
        Refresh();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QString(), QString(),
                                                          QStringLiteral("CoefData(*.csv)"));
        if (!path.isEmpty()) m_tool->OnSave(path.toStdString());
    });
    connect(load, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          QStringLiteral("CoefData(*.csv)"));
        if (!path.isEmpty()) m_tool->OnLoad(path.toStdString());
        Refresh();
    });
    connect(m_rate, &QPushButton::clicked, this, [this] {
        m_tool->SetRateIndex((m_tool->RateIndex() + 1) % kRtRateCount);
        if (m_tool->IsRunning()) m_tool->OnStart();
        Refresh();
    });
    m_delivery = std::make_unique<CQueuedDelivery>(
        m_tool->Engine().Queue(), this, [this] { m_tool->Engine().DispatchCompletions(); });
    Refresh();
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
    s.m_iffreq = static_cast<int>(RtNumber(m_if1));
    s.m_iffreq2 = static_cast<int>(RtNumber(m_if2));
    m_tool->SetSettings(s);
    RadioPanel p = m_tool->Panel();
    p.generator = m_gen->isChecked();
    p.sineOn = m_sine->isChecked();
    p.noiseOn = m_noise->isChecked();
    p.sineFreq = RtNumber(m_tone);
    p.gainDb = std::clamp(static_cast<int>(RtNumber(m_gain)), -20, 20);
    p.gainFixed = m_fixed->isChecked();
    m_tool->SetPanel(p);
}

void CRadioDlg::Refresh() {
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
    m_if1->setText(QString::number(s.m_iffreq));
    m_if2->setText(QString::number(s.m_iffreq2));
    m_gen->setChecked(p.generator);
    m_line->setChecked(!p.generator);
    m_sine->setChecked(p.sineOn);
    m_noise->setChecked(p.noiseOn);
    m_tone->setText(QString::number(p.sineFreq));
    m_gain->setText(QString::number(p.gainDb));
    m_fixed->setChecked(p.gainFixed);
    m_rate->setText(QStringLiteral("Fs=%1kHz").arg(m_tool->Rate() / 1000.0));
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
