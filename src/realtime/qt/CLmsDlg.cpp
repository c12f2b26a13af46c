#include "realtime/qt/CLmsDlg.h"

#include "app/dialogs/CRateButton.h"
#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"
#include "realtime/CutSliders.h"
#include "realtime/LmsTool.h"
#include "realtime/RtFilterTool.h"
#include "realtime/qt/CRtToolDlg.h"
#include "realtime/qt/RtPanelParts.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QSlider* Slider(const char* name, int lo, int hi) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(QString::fromUtf8(name));
    s->setRange(lo, hi);
    return s;
}

QComboBox* List(const char* name, std::initializer_list<const char*> items) {
    auto* c = new QComboBox;
    c->setObjectName(QString::fromUtf8(name));
    for (const char* i : items) c->addItem(QString::fromUtf8(i));
    return c;
}

QPushButton* Toggle(const char* text, const char* name) {
    QPushButton* b = MakePanelButton(QString::fromUtf8(text), QString::fromUtf8(name));
    b->setCheckable(true);
    return b;
}

} // namespace

CLmsDlg::CLmsDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_tool(std::make_unique<CLmsTool>(doc, card)) {
    setWindowTitle(QString::fromUtf8("LMS_適応FIRﾌｨﾙﾀｰ"));
    const LmsSettings& s = m_tool->Settings();

    m_shape = List("shape", {"LowPass", "HighPass", "BandPass", "BandStop"});
    m_shape->setCurrentIndex(m_tool->Shape());
    m_f1 = RtNumberEdit("cutLow", m_tool->CutLow());
    m_f2 = RtNumberEdit("cutHigh", m_tool->CutHigh());
    m_f1Slider = Slider("cutLowSlider", 0, cutslider::kMax);
    m_f2Slider = Slider("cutHighSlider", 0, cutslider::kMax);
    auto* demo = new QGroupBox(QString::fromUtf8("Demo用ﾌｨﾙﾀｰ選択"));
    auto* demoGrid = new QGridLayout(demo);
    demoGrid->addWidget(m_shape, 0, 0, 1, 3);
    demoGrid->addWidget(new QLabel(QStringLiteral("f1(Hz)")), 1, 0);
    demoGrid->addWidget(m_f1, 1, 1);
    demoGrid->addWidget(m_f1Slider, 1, 2);
    demoGrid->addWidget(new QLabel(QStringLiteral("f2(Hz)")), 2, 0);
    demoGrid->addWidget(m_f2, 2, 1);
    demoGrid->addWidget(m_f2Slider, 2, 2);

    m_mode = List("mode", {"ｼｽﾃﾑ同定", "線形予測", "雑音抑圧"});
    m_mode->setCurrentIndex(s.mode);
    m_gen = Toggle("gen", "gen");
    m_gen->setChecked(s.generator);
    m_noise = Toggle("Noise", "noise");
    m_noise->setChecked(s.noiseOn);
    m_sine = Toggle("Singen", "sine");
    m_sine->setChecked(s.sineOn);
    m_noiseLevel = Slider("noiseLevel", lmslimits::kMinLevelPos, lmslimits::kMaxLevelPos);
    m_noiseLevel->setValue(s.noisePos);
    m_sineFreq = Slider("sineFreq", 0, cutslider::kMax);
    m_sineFreq->setValue(s.sineFreqPos);
    m_sineLevel = Slider("sineLevel", lmslimits::kMinLevelPos, lmslimits::kMaxLevelPos);
    m_sineLevel->setValue(s.sinePos);
    m_noiseLevel->setToolTip(QString::fromUtf8("ﾉｲｽﾞﾚﾍﾞﾙ(dB)"));
    m_sineFreq->setToolTip(QString::fromUtf8("正弦波周波数"));
    m_sineLevel->setToolTip(QString::fromUtf8("正弦波ﾚﾍﾞﾙ(dB)"));
    auto* gen = new QGroupBox(QString::fromUtf8("信号源"));
    auto* genGrid = new QGridLayout(gen);
    genGrid->addWidget(m_mode, 0, 0, 1, 2);
    genGrid->addWidget(m_gen, 0, 2);
    genGrid->addWidget(m_noise, 1, 0);
    genGrid->addWidget(m_noiseLevel, 1, 1, 1, 2);
    genGrid->addWidget(m_sine, 2, 0);
    genGrid->addWidget(m_sineFreq, 2, 1);
    genGrid->addWidget(m_sineLevel, 2, 2);

    m_taps = RtNumberEdit("taps", m_tool->Taps());
    m_mu = RtNumberEdit("mu", s.mu);
    m_delay = RtNumberEdit("delay", s.delay);
    auto* func = new QGroupBox(QString::fromUtf8("機能設定"));
    auto* form = new QFormLayout(func);
    form->addRow(QString::fromUtf8("ﾀｯﾌﾟ数"), m_taps);
    form->addRow(QString::fromUtf8("ｽﾃｯﾌﾟ(μ)"), m_mu);
    form->addRow(QString::fromUtf8("遅延ﾀｯﾌﾟ"), m_delay);

    m_rch = List("rch", {"Lout", "Rout", "L-R  Δe", "L+R", "Lin", "Rin"});
    m_rch->setCurrentIndex(s.rch);
    m_display = List("display", {"f特計算", "ﾓﾆﾀｰ表示"});
    m_display->setCurrentIndex(s.display);
    m_rate = new CRateButton;
    m_rate->setObjectName(QStringLiteral("rate"));
    m_rate->SetRateIndex(m_tool->RateIndex());
    m_gain = new QLineEdit;
    m_gain->setMaximumWidth(52);
    m_gain->setAlignment(Qt::AlignRight);
    m_fixed = new QCheckBox(QString::fromUtf8("固定"));
    m_fixed->setObjectName(QStringLiteral("gainFixed"));
    m_load = new QProgressBar;
    m_load->setObjectName(QStringLiteral("load"));
    auto* start = MakePanelButton(QString::fromUtf8("開始"), QStringLiteral("start"));
    auto* stop = MakePanelButton(QString::fromUtf8("終了"), QStringLiteral("stop"));
    auto* save = MakePanelButton(QString::fromUtf8("保存"), QStringLiteral("save"));
    m_picture = RtPicture(
        "weights", [this](QPainter& p, const QRect& r) { PaintWeights(p, r); }, QSize(540, 120));

    auto* gainRow = MakeSpinRow(m_gain, this, QStringLiteral("gain"), [this](int d) {
        m_tool->SetGain(m_tool->GainDb() + d);
        Refresh();
    });
    gainRow->addWidget(m_fixed);
    auto* rightForm = new QFormLayout;
    rightForm->addRow(QString::fromUtf8("FS選択"), m_rate);
    rightForm->addRow(QString::fromUtf8("Rch表示"), m_rch);
    rightForm->addRow(QString::fromUtf8("ｹﾞｲﾝ(dB)"), gainRow);
    rightForm->addRow(QString::fromUtf8("表示"), m_display);
    m_showLevels = AddDisplayLevelRows(rightForm, doc, this);
    auto* right = new QVBoxLayout;
    right->addLayout(rightForm);
    right->addWidget(MakeLoadBox(m_load));
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start);
    buttons->addWidget(save);
    buttons->addWidget(stop);
    right->addLayout(buttons);
    auto* left = new QVBoxLayout;
    left->addWidget(demo);
    left->addWidget(gen);
    left->addWidget(func);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(m_picture);
    all->setSizeConstraint(QLayout::SetFixedSize);

    connect(start, &QPushButton::clicked, this, [this] { OnStart(); });
    connect(stop, &QPushButton::clicked, this, [this] { OnStop(); });
    connect(save, &QPushButton::clicked, this, [this] { m_tool->OnSave(); });
    connect(m_rate, &CRateButton::rateChanged, this, [this] {
        m_tool->SetRateIndex(m_rate->RateIndex());
        if (m_tool->IsRunning()) OnStart();
        Refresh();
    });
    connect(m_fixed, &QCheckBox::toggled, this, [this](bool on) { m_tool->SetGainFixed(on); });
    connect(m_mode, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_tool->SetMode(i);
        Refresh();
    });
    connect(m_gen, &QPushButton::toggled, this, [this](bool on) {
        m_tool->SetGenerator(on);
        Refresh();
    });
    connect(m_noise, &QPushButton::toggled, this, [this](bool on) { m_tool->SetNoise(on); });
    connect(m_sine, &QPushButton::toggled, this, [this](bool on) { m_tool->SetSine(on); });
    connect(m_noiseLevel, &QSlider::valueChanged, this,
            [this](int v) { m_tool->SetNoiseLevel(v); });
    connect(m_sineFreq, &QSlider::valueChanged, this,
            [this](int v) { m_tool->SetSineFreqPosition(v); });
    connect(m_sineLevel, &QSlider::valueChanged, this, [this](int v) { m_tool->SetSineLevel(v); });
    connect(m_f1Slider, &QSlider::sliderMoved, this, [this](int v) {
        m_tool->OnCutSlider(1, v);
        Refresh();
    });
    connect(m_f2Slider, &QSlider::sliderMoved, this, [this](int v) {
        m_tool->OnCutSlider(2, v);
        Refresh();
    });
    connect(m_rch, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { m_tool->SetRch(i); });
    connect(m_display, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int i) { m_tool->SetDisplay(i); });

    m_delivery = std::make_unique<CQueuedDelivery>(
        m_tool->Engine().Queue(), this, [this] { m_tool->Engine().DispatchCompletions(); });
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_load->setValue(m_tool->LoadPercent());
        m_picture->update();
    });
    m_timer->start(100);
    Refresh();
}

CLmsDlg::~CLmsDlg() {
    m_delivery.reset();
}

void CLmsDlg::TakeFields() {
    m_tool->SetShape(m_shape->currentIndex());
    m_tool->SetCutOffs(RtNumber(m_f1), RtNumber(m_f2));
    m_tool->SetTaps(static_cast<int>(RtNumber(m_taps)));
    m_tool->SetMu(RtNumber(m_mu));
    if (static_cast<int>(RtNumber(m_delay)) != m_tool->Settings().delay)
        m_tool->SetDelay(static_cast<int>(RtNumber(m_delay)));
}

void CLmsDlg::OnStart() {
    TakeFields();
    m_tool->OnStart();
    Refresh();
}

void CLmsDlg::Refresh() {
    const LmsSettings& s = m_tool->Settings();
    m_mu->setText(QString::number(s.mu));
    m_delay->setText(QString::number(s.delay));
    m_f1->setText(QString::number(m_tool->CutLow()));
    m_f2->setText(QString::number(m_tool->CutHigh()));
    m_f1Slider->setValue(CutSliderPosition(m_tool->CutLow()));
    m_f2Slider->setValue(CutSliderPosition(m_tool->CutHigh()));
    m_rch->setCurrentIndex(s.rch);
    m_rate->SetRateIndex(m_tool->RateIndex());
    m_gain->setText(QString::number(m_tool->GainDb()));
    m_fixed->setChecked(m_tool->GainFixed());
    m_showLevels();
    const bool gen = s.generator;
    m_noise->setEnabled(gen);
    m_noiseLevel->setEnabled(gen);
    m_sine->setEnabled(gen && s.mode != lmsmode::Identify);
    m_sineFreq->setEnabled(gen && s.mode != lmsmode::Identify);
    m_sineLevel->setEnabled(gen && s.mode != lmsmode::Identify);
    m_picture->update();
}

void CLmsDlg::PaintWeights(QPainter& p, const QRect& r) {
    const std::vector<double>& w = m_tool->Weights();
    p.setPen(Qt::black);
    p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignLeft,
               QString::fromStdString(m_tool->PictureText()));
    if (w.empty()) return;
    double peak = 1e-12;
    for (double v : w) peak = std::max(peak, std::fabs(v));
    const QRectF plot = QRectF(r).adjusted(6, 22, -6, -6);
    const double mid = plot.center().y();
    p.setPen(Qt::lightGray);
    p.drawLine(QPointF(plot.left(), mid), QPointF(plot.right(), mid));
    QPainterPath path;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const double x = plot.left() + plot.width() * i / std::max<std::size_t>(1, w.size() - 1);
        const double y = mid - w[i] / peak * plot.height() / 2;
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::blue, 1.5));
    p.drawPath(path);
}

void CLmsDlg::OnStop() {
    if (m_bClosing) return;
    m_bClosing = true;
    m_timer->stop();
    m_tool->Close();
    accept();
}

void CLmsDlg::reject() {
    OnStop();
}
