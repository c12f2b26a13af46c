#include "realtime/qt/CIirToolDlgs.h"

#include "app/dialogs/SpinRow.h"
#include "filters/BiquadDesign.h"
#include "filters/StageTopology.h"
#include "realtime/CascadeIirTool.h"
#include "realtime/CutSliders.h"
#include "realtime/RtBiquadTool.h"
#include "realtime/qt/CRtPanelWidget.h"
#include "realtime/qt/RtPictures.h"

#include "sound/qt/PanelWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

namespace {

QComboBox* List(const char* name, std::initializer_list<const char*> items, int current) {
    auto* c = new QComboBox;
    c->setObjectName(QString::fromUtf8(name));
    for (const char* i : items) c->addItem(QString::fromUtf8(i));
    c->setCurrentIndex(current);
    return c;
}

QSlider* Slider(const char* name, int max, int tick) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(QString::fromUtf8(name));
    s->setRange(0, max);
    s->setTickInterval(tick);
    s->setTickPosition(QSlider::TicksBelow);
    return s;
}

} // namespace

CRtBiquadDlg::CRtBiquadDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(doc, std::make_unique<CRtBiquadTool>(doc, card),
                 QStringLiteral("IIRﾌｨﾙﾀｰの設定(Bi_Quad)"),
                 {QStringLiteral("f特計算"), QStringLiteral("ﾓﾆﾀｰ表示")}, 4, parent),
      m_biquad(static_cast<CRtBiquadTool*>(&Tool())) {
    m_type = List("type", {"LowPass", "HighPass", "LowShelving", "Peaking"}, m_biquad->Type());
    m_freq = RtNumberEdit("freq", m_biquad->Frequency());
    m_gain = RtNumberEdit("gain", m_biquad->GainDb());
    m_freqSlider = Slider("freqSlider", cutslider::kMax, 6);
    m_gainSlider = Slider("gainSlider", CRtBiquadTool::kGainSliderMax, 4);
    m_picture = RtPicture("picture", [this](QPainter& p, const QRect& r) {
        PaintSection(p, r, m_biquad->Denominator(), m_biquad->Numerator());
    });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ﾌｨﾙﾀｰの選択"), m_type);
    form->addRow(QStringLiteral("周波数(Hz)"), m_freq);
    form->addRow(m_freqSlider);
    form->addRow(QStringLiteral("ｹﾞｲﾝ(dB)"), m_gain);
    form->addRow(m_gainSlider);
    DesignArea()->addLayout(form);
    DesignArea()->addWidget(m_picture);
    DesignArea()->addStretch();
    SyncFields();

    Panel().onStart = [this] {
        m_biquad->SetFrequency(static_cast<float>(RtNumber(m_freq)));
        m_biquad->SetGainDb(static_cast<float>(RtNumber(m_gain)));
        if (!m_biquad->OnStart()) FocusFailed();
        SyncFields();
    };
    Panel().onDisplay = [this](int i) {
        m_biquad->OnDisplay(i);
        Panel().Refresh(m_biquad->Display());
    };
    Panel().onSave = [this] { m_biquad->OnSave(); };
    Panel().Refresh(m_biquad->Display());
    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int t) {
        if (m_bSyncing) return;
        m_biquad->SetType(t);
        SyncFields();
    });
    connect(m_freq, &QLineEdit::editingFinished, this, [this] {
        m_biquad->SetFrequency(static_cast<float>(RtNumber(m_freq)));
        if (m_biquad->FailedField() != CRtBiquadTool::Field::None) FocusFailed();
        SyncFields();
    });
    connect(m_gain, &QLineEdit::editingFinished, this, [this] {
        m_biquad->SetGainDb(static_cast<float>(RtNumber(m_gain)));
        if (m_biquad->FailedField() != CRtBiquadTool::Field::None) FocusFailed();
        SyncFields();
    });
    connect(m_freqSlider, &QSlider::valueChanged, this, [this](int p) {
        if (m_bSyncing) return;
        m_biquad->OnFrequencySlider(p);
        m_bSyncing = true;
        m_freq->setText(QString::number(m_biquad->Frequency()));
        m_bSyncing = false;
        m_picture->update();
    });
    connect(m_gainSlider, &QSlider::valueChanged, this, [this](int p) {
        if (m_bSyncing) return;
        m_biquad->OnGainSlider(p);
        m_bSyncing = true;
        m_gain->setText(QString::number(m_biquad->GainDb()));
        m_bSyncing = false;
        m_picture->update();
    });
}

void CRtBiquadDlg::SyncFields() {
    m_bSyncing = true;
    m_type->setCurrentIndex(m_biquad->Type());
    m_freq->setText(QString::number(m_biquad->Frequency()));
    m_gain->setText(QString::number(m_biquad->GainDb()));
    m_freqSlider->setValue(m_biquad->FrequencySliderPosition());
    m_gainSlider->setValue(m_biquad->GainSliderPosition());
    const bool gain = BiquadUsesGain(m_biquad->Type());
    m_gain->setEnabled(gain);
    m_gainSlider->setEnabled(gain);
    m_bSyncing = false;
    m_picture->update();
}

void CRtBiquadDlg::FocusFailed() {
    switch (m_biquad->FailedField()) {
    case CRtBiquadTool::Field::Frequency:
        RtFocus(m_freq);
        break;
    case CRtBiquadTool::Field::Gain:
        RtFocus(m_gain);
        break;
    default:
        break;
    }
}

CCascadeIirDlg::CCascadeIirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(
          doc, std::make_unique<CCascadeIirTool>(doc, card), QStringLiteral("Cascade IIR_Filter"),
          {QStringLiteral("f特:結果"), QStringLiteral("f特:累積"), QStringLiteral("f特:個別"),
           QStringLiteral("ﾓﾆﾀｰ_Log"), QStringLiteral("ﾓﾆﾀｰ_Lin"), QStringLiteral("ﾓﾆﾀｰ_OFF")},
          4, parent),
      m_cascade(static_cast<CCascadeIirTool*>(&Tool())) {
    const CascadeParams& p = m_cascade->Params();
    m_shape = List("shape", {"LowPass", "HighPass", "BandPass", "BandStop"}, p.shape);
    m_kind = List("kind", {"ﾊﾞﾀｰﾜｰｽ", "ﾁｪﾋﾞｼｪﾌ", "逆ﾁｪﾋﾞｼｪﾌ", "連立ﾁｪﾋﾞｼｪﾌ"}, p.kind);
    m_order = RtNumberEdit("order", p.order);
    m_f1 = RtNumberEdit("f1", p.cutLow);
    m_f2 = RtNumberEdit("f2", p.cutHigh);
    m_slider1 = Slider("slider1", cutslider::kMax, 5);
    m_slider2 = Slider("slider2", cutslider::kMax, 5);
    m_ripple = RtNumberEdit("ripple", p.ripple);
    m_stop = RtNumberEdit("stop", p.stopLevel);
    m_stage = new QLineEdit;
    m_stage->setMaximumWidth(40);
    m_stage->setReadOnly(true);
    m_realize = MakePanelButton(QStringLiteral("iir_op"), QStringLiteral("realize"));
    m_realize->setCheckable(true);
    m_series = List("series", {"E12", "E24", "実値", "s関数"}, m_cascade->Series());
    m_resistor = RtNumberEdit("resistor", p.refResistorK);
    m_capacitor = RtNumberEdit("capacitor", p.refCapacitorU);
    auto* enter = MakePanelButton(QStringLiteral("Enter"), QStringLiteral("enter"));
    m_picture = RtPicture(
        "picture",
        [this](QPainter& painter, const QRect& r) {
            const CascadeIirDesign& d = m_cascade->Design();
            const bool schematic = m_cascade->RealizationOn() &&
                                   m_cascade->Series() != kSeriesSFunction && d.TableSet() >= 2;
            if (!schematic) {
                PaintLines(painter, r, m_cascade->StageLines());
                return;
            }
            const int k = std::clamp(m_cascade->Stage(), 1, std::max(d.Sections(), 1)) - 1;
            const StageTopology t = ChooseStageTopology(d.Shape(), d.Kind(), d.Order(), k);
            PaintStageSchematic(painter, r, static_cast<int>(t), d.Components(), k);
        },
        QSize(330, 190));

    auto* grid = new QFormLayout;
    grid->addRow(QStringLiteral("ﾌｨﾙﾀｰの選択"), m_shape);
    grid->addRow(QStringLiteral("種類"), m_kind);
    grid->addRow(QStringLiteral("次数"), m_order);
    grid->addRow(QStringLiteral("ｶｯﾄｵﾌ周波数(1)(Hz)"), m_f1);
    grid->addRow(m_slider1);
    grid->addRow(QStringLiteral("ｶｯﾄｵﾌ周波数(2)(Hz)"), m_f2);
    grid->addRow(m_slider2);
    grid->addRow(QStringLiteral("ﾘｯﾌﾟﾙ(dB)"), m_ripple);
    grid->addRow(QStringLiteral("阻止ﾚﾍﾞﾙ(dB)"), m_stop);
    grid->addRow(QStringLiteral("ｽﾃｰｼﾞ"),
                 MakeSpinRow(m_stage, this, QStringLiteral("stage"), [this](int d) {
                     m_cascade->OnStageSpin(d);
                     SyncFields();
                     Refresh();
                 }));
    auto* realize = new QGridLayout;
    realize->addWidget(m_realize, 0, 0);
    realize->addWidget(m_series, 0, 1);
    realize->addWidget(new QLabel(QStringLiteral("R(kΩ)")), 1, 0);
    realize->addWidget(m_resistor, 1, 1);
    realize->addWidget(new QLabel(QStringLiteral("C(μF)")), 2, 0);
    realize->addWidget(m_capacitor, 2, 1);
    realize->addWidget(enter, 2, 2);
    DesignArea()->addLayout(grid);
    DesignArea()->addLayout(realize);
    DesignArea()->addWidget(m_picture);
    DesignArea()->addStretch();
    SyncFields();

    Panel().onStart = [this] {
        ApplyEdits();
        if (!m_cascade->OnStart()) FocusFailed();
        SyncFields();
        Refresh();
    };
    Panel().onDisplay = [this](int i) {
        m_cascade->OnDisplay(i);
        Refresh();
    };
    Panel().onSave = [this] { m_cascade->OnSave(); };
    connect(m_shape, &QComboBox::currentIndexChanged, this, [this](int s) {
        if (m_bSyncing) return;
        m_cascade->SetShape(s);
        SyncFields();
    });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (m_bSyncing) return;
        m_cascade->SetKind(k);
        if (m_cascade->FailedField()) FocusFailed();
        SyncFields();
    });
    for (QLineEdit* e : {m_order, m_f1, m_f2, m_ripple, m_stop})
        connect(e, &QLineEdit::editingFinished, this, [this] { ApplyEdits(); });
    for (int which : {1, 2}) {
        QSlider* s = which == 1 ? m_slider1 : m_slider2;
        connect(s, &QSlider::valueChanged, this, [this, which](int pos) {
            if (m_bSyncing) return;
            m_cascade->OnCutSlider(which, pos);
            SyncFields();
            Refresh();
        });
        connect(s, &QSlider::sliderReleased, this, [this] { m_cascade->OnSliderReleased(); });
    }
    connect(m_realize, &QPushButton::toggled, this, [this](bool on) {
        if (m_bSyncing) return;
        m_cascade->OnRealize(on);
        SyncFields();
        Refresh();
    });
    connect(m_series, &QComboBox::currentIndexChanged, this, [this](int s) {
        if (m_bSyncing) return;
        m_cascade->OnSeries(s);
        Refresh();
    });
    connect(enter, &QPushButton::clicked, this, [this] {
        m_cascade->SetReference(RtNumber(m_resistor), RtNumber(m_capacitor));
        if (!m_cascade->OnEnter()) FocusFailed();
        Refresh();
    });
}

void CCascadeIirDlg::ApplyEdits() {
    CascadeParams p = m_cascade->Params();
    p.order = m_order->text().toInt();
    p.cutLow = RtNumber(m_f1);
    p.cutHigh = RtNumber(m_f2);
    p.ripple = RtNumber(m_ripple);
    p.stopLevel = RtNumber(m_stop);
    p.refResistorK = RtNumber(m_resistor);
    p.refCapacitorU = RtNumber(m_capacitor);
    m_cascade->SetParams(p);
    if (m_cascade->FailedField()) FocusFailed();
    SyncFields();
}

void CCascadeIirDlg::SyncFields() {
    m_bSyncing = true;
    const CascadeParams& p = m_cascade->Params();
    m_shape->setCurrentIndex(p.shape);
    m_kind->setCurrentIndex(p.kind);
    m_order->setText(QString::number(p.order));
    m_f1->setText(QString::number(p.cutLow));
    m_f2->setText(QString::number(p.cutHigh));
    m_slider1->setValue(m_cascade->SliderPosition(1));
    m_slider2->setValue(m_cascade->SliderPosition(2));
    m_ripple->setText(QString::number(p.ripple));
    m_stop->setText(QString::number(p.stopLevel));
    m_resistor->setText(QString::number(p.refResistorK));
    m_capacitor->setText(QString::number(p.refCapacitorU));
    const bool band = shape::HasTwoEdges(p.shape);
    m_f2->setEnabled(band);
    m_slider2->setEnabled(band);
    m_ripple->setEnabled(CascadeIirDesign::UsesRipple(p.kind));
    m_stop->setEnabled(CascadeIirDesign::UsesStopLevel(p.kind));
    m_realize->setChecked(m_cascade->RealizationOn());
    m_series->setCurrentIndex(m_cascade->Series());
    m_bSyncing = false;
}

void CCascadeIirDlg::Refresh() {
    Panel().Refresh(m_cascade->Display());
    m_stage->setText(QString::number(m_cascade->Stage()));
    m_picture->update();
}

void CCascadeIirDlg::FocusFailed() {
    const auto f = m_cascade->FailedField();
    if (!f) return;
    switch (*f) {
    case CascadeField::CutLow:
        RtFocus(m_f1);
        break;
    case CascadeField::CutHigh:
        RtFocus(m_f2);
        break;
    case CascadeField::Resistor:
        RtFocus(m_resistor);
        break;
    case CascadeField::Capacitor:
        RtFocus(m_capacitor);
        break;
    case CascadeField::Order:
        RtFocus(m_order);
        break;
    case CascadeField::Ripple:
        RtFocus(m_ripple);
        break;
    case CascadeField::StopLevel:
        RtFocus(m_stop);
        break;
    default:
        break;
    }
}
