#include "realtime/qt/CRtFirDlg.h"

#include "filters/WindowFir.h"
#include "realtime/CutSliders.h"
#include "realtime/RtFirTool.h"
#include "realtime/RtKaiserTool.h"
#include "realtime/RtWindowFirTool.h"
#include "realtime/qt/CRtPanelWidget.h"
#include "realtime/qt/RtPictures.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSlider>

namespace {

const QStringList kFirDisplays = {QStringLiteral("f特計算"), QStringLiteral("ﾓﾆﾀｰ表示")};

QComboBox* ShapeList(int shapeCode) {
    auto* c = new QComboBox;
    c->setObjectName(QStringLiteral("shape"));
    for (const char* name : {"LowPass", "HighPass", "BandPass", "BandStop"})
        c->addItem(QString::fromUtf8(name));
    c->setCurrentIndex(shapeCode);
    return c;
}

QSlider* CutSlider(const char* name) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(QString::fromUtf8(name));
    s->setRange(0, cutslider::kMax);
    s->setTickInterval(6);
    s->setTickPosition(QSlider::TicksBelow);
    return s;
}

QLineEdit* FieldFor(FirField f, QLineEdit* taps, QLineEdit* f1, QLineEdit* f2, QLineEdit* atten,
                    QLineEdit* transition) {
    switch (f) {
    case FirField::Taps:
        return taps;
    case FirField::CutLow:
        return f1;
    case FirField::CutHigh:
        return f2;
    case FirField::Atten:
        return atten;
    case FirField::Transition:
        return transition;
    }
    return nullptr;
}

// Wires a display list and "保存" of a FIR tool's panel.
void WireFirPanel(CRtPanelWidget& panel, CRtFirTool& tool) {
    panel.onDisplay = [&panel, &tool](int i) {
        tool.OnDisplay(i);
        panel.Refresh(tool.Display());
    };
    panel.onSave = [&tool] { tool.OnSave(); };
    panel.Refresh(tool.Display());
}

} // namespace

CRtFirDlg::CRtFirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(doc, std::make_unique<CRtWindowFirTool>(doc, card),
                 QStringLiteral("FIRﾌｨﾙﾀｰの設定(ﾘｱﾙﾀｲﾑ処理)"), kFirDisplays, 4, parent),
      m_fir(static_cast<CRtWindowFirTool*>(&Tool())) {
    const FirWindowSettings& s = m_fir->Settings();
    m_shape = ShapeList(s.shape);
    m_taps = RtNumberEdit("taps", s.taps);
    m_f1 = RtNumberEdit("f1", s.cutLow);
    m_f2 = RtNumberEdit("f2", s.cutHigh);
    m_slider1 = CutSlider("slider1");
    m_slider2 = CutSlider("slider2");
    auto* window = new QLineEdit(QString::fromUtf8(FirWindowLabel(m_fir->Window())));
    window->setObjectName(QStringLiteral("window"));
    window->setReadOnly(true);
    m_picture = RtPicture("picture",
                          [this](QPainter& p, const QRect& r) { PaintTaps(p, r, m_fir->Taps()); });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ﾌｨﾙﾀｰの選択"), m_shape);
    form->addRow(QStringLiteral("ﾀｯﾌﾟ数(個)"), m_taps);
    form->addRow(QStringLiteral("Cut-off周波数(1)(Hz)"), m_f1);
    form->addRow(m_slider1);
    form->addRow(QStringLiteral("Cut-off周波数(2)(Hz)"), m_f2);
    form->addRow(m_slider2);
    form->addRow(QStringLiteral("窓関数"), window);
    DesignArea()->addLayout(form);
    DesignArea()->addWidget(m_picture);
    DesignArea()->addStretch();
    SyncSliders();

    Panel().onStart = [this] {
        ApplyEdits();
        if (!m_fir->OnStart()) FocusFailed();
        m_picture->update();
    };
    WireFirPanel(Panel(), *m_fir);
    connect(m_shape, &QComboBox::currentIndexChanged, this, [this] { ApplyEdits(); });
    for (QLineEdit* e : {m_taps, m_f1, m_f2})
        connect(e, &QLineEdit::editingFinished, this, [this] { ApplyEdits(); });
    for (int which : {1, 2}) {
        QSlider* s = which == 1 ? m_slider1 : m_slider2;
        connect(s, &QSlider::valueChanged, this, [this, which](int pos) {
            if (m_bSyncing) return;
            m_fir->OnCutSlider(which, pos);
            m_f1->setText(QString::number(m_fir->Settings().cutLow));
            m_f2->setText(QString::number(m_fir->Settings().cutHigh));
            SyncSliders();
            m_picture->update();
        });
    }
}

void CRtFirDlg::SyncSliders() {
    m_bSyncing = true;
    m_slider1->setValue(m_fir->Sliders().low);
    m_slider2->setValue(m_fir->Sliders().high);
    const bool two = shape::HasTwoEdges(m_fir->Settings().shape);
    m_f2->setEnabled(two);
    m_slider2->setEnabled(two);
    m_bSyncing = false;
}

void CRtFirDlg::ApplyEdits() {
    FirWindowSettings s = m_fir->Settings();
    s.shape = m_shape->currentIndex();
    s.taps = m_taps->text().toInt();
    s.cutLow = static_cast<float>(RtNumber(m_f1));
    s.cutHigh = static_cast<float>(RtNumber(m_f2));
    m_fir->SetSettings(s);
    SyncSliders();
    if (!m_fir->OnDesignChanged()) FocusFailed();
    m_picture->update();
}

void CRtFirDlg::FocusFailed() {
    if (const auto f = m_fir->FailedField())
        RtFocus(FieldFor(*f, m_taps, m_f1, m_f2, nullptr, nullptr));
}

CRtKaiserDlg::CRtKaiserDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(doc, std::make_unique<CRtKaiserTool>(doc, card),
                 QStringLiteral("FIRﾌｨﾙﾀｰ(Kaiser窓)"), kFirDisplays, 4, parent),
      m_kaiser(static_cast<CRtKaiserTool*>(&Tool())) {
    const KaiserSettings& s = m_kaiser->Settings();
    m_shape = ShapeList(s.shape);
    m_f1 = RtNumberEdit("f1", s.cutLow);
    m_f2 = RtNumberEdit("f2", s.cutHigh);
    m_atten = RtNumberEdit("atten", s.atten);
    m_transition = RtNumberEdit("transition", s.transition);
    m_slider1 = CutSlider("slider1");
    m_slider2 = CutSlider("slider2");
    m_picture = RtPicture(
        "picture", [this](QPainter& p, const QRect& r) { PaintTaps(p, r, m_kaiser->Taps()); });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ﾌｨﾙﾀｰの選択"), m_shape);
    form->addRow(QStringLiteral("低域ｶｯﾄｵﾌ周波数(Hz)"), m_f1);
    form->addRow(m_slider1);
    form->addRow(QStringLiteral("高域ｶｯﾄｵﾌ周波数(Hz)"), m_f2);
    form->addRow(m_slider2);
    form->addRow(QStringLiteral("減衰量(dB)"), m_atten);
    form->addRow(QStringLiteral("遷移帯域幅(Hz)"), m_transition);
    DesignArea()->addLayout(form);
    DesignArea()->addWidget(m_picture);
    DesignArea()->addStretch();
    SyncSliders();

    Panel().onStart = [this] {
        ApplyEdits();
        if (!m_kaiser->OnStart()) FocusFailed();
        m_picture->update();
    };
    WireFirPanel(Panel(), *m_kaiser);
    connect(m_shape, &QComboBox::currentIndexChanged, this, [this] { ApplyEdits(); });
    for (QLineEdit* e : {m_f1, m_f2, m_atten, m_transition})
        connect(e, &QLineEdit::editingFinished, this, [this] { ApplyEdits(); });
    for (int which : {1, 2}) {
        QSlider* sl = which == 1 ? m_slider1 : m_slider2;
        connect(sl, &QSlider::valueChanged, this, [this, which](int pos) {
            if (m_bSyncing) return;
            m_kaiser->OnCutSlider(which, pos);
            m_f1->setText(QString::number(m_kaiser->Settings().cutLow));
            m_f2->setText(QString::number(m_kaiser->Settings().cutHigh));
            SyncSliders();
            m_picture->update();
        });
    }
}

void CRtKaiserDlg::SyncSliders() {
    m_bSyncing = true;
    m_slider1->setValue(m_kaiser->Sliders().low);
    m_slider2->setValue(m_kaiser->Sliders().high);
    const bool two = shape::HasTwoEdges(m_kaiser->Settings().shape);
    m_f2->setEnabled(two);
    m_slider2->setEnabled(two);
    m_bSyncing = false;
}

void CRtKaiserDlg::ApplyEdits() {
    KaiserSettings s = m_kaiser->Settings();
    s.shape = m_shape->currentIndex();
    s.cutLow = static_cast<float>(RtNumber(m_f1));
    s.cutHigh = static_cast<float>(RtNumber(m_f2));
    s.atten = static_cast<float>(RtNumber(m_atten));
    s.transition = static_cast<float>(RtNumber(m_transition));
    m_kaiser->SetSettings(s);
    SyncSliders();
    if (!m_kaiser->OnDesignChanged()) FocusFailed();
    m_picture->update();
}

void CRtKaiserDlg::FocusFailed() {
    if (const auto f = m_kaiser->FailedField())
        RtFocus(FieldFor(*f, nullptr, m_f1, m_f2, m_atten, m_transition));
}
