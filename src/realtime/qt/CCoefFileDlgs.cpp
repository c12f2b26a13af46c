#include "realtime/qt/CCoefFileDlgs.h"

#include "app/dialogs/SpinRow.h"
#include "realtime/CoefFirTool.h"
#include "realtime/CoefIirTool.h"
#include "realtime/qt/CRtPanelWidget.h"
#include "realtime/qt/RtPictures.h"

#include "sound/qt/PanelWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QPlainTextEdit* PropertyBox() {
    auto* t = new QPlainTextEdit;
    t->setObjectName(QStringLiteral("property"));
    t->setReadOnly(true);
    t->setFixedSize(240, 110);
    return t;
}

QString PropertyText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.remove(QLatin1Char('\r'));
    return s;
}

QPushButton* ReadButton(const char* text) {
    return MakePanelButton(QString::fromUtf8(text), QStringLiteral("read"));
}

} // namespace

CCoefFirDlg::CCoefFirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(doc, std::make_unique<CCoefFirTool>(doc, card),
                 QStringLiteral("係数ﾌｧｲﾙによるFIR処理"),
                 {QStringLiteral("f特計算"), QStringLiteral("ﾓﾆﾀｰ表示")}, 4, parent),
      m_coef(static_cast<CCoefFirTool*>(&Tool())) {
    auto* read = ReadButton("係数読出し");
    m_property = PropertyBox();
    m_window = new QComboBox;
    m_window->setObjectName(QStringLiteral("windowList"));
    for (int i = 0; i < rtwindow::kCount; ++i)
        m_window->addItem(QString::fromUtf8(rtwindow::Name(i)));
    const CCoefFirTool::Options& o = m_coef->GetOptions();
    m_window->setCurrentIndex(o.windowEntry);
    m_inverse = new QCheckBox(QStringLiteral("逆ﾌｨﾙﾀｰ"));
    m_inverse->setObjectName(QStringLiteral("inverse"));
    m_inverseGain = RtNumberEdit("inverseGain", o.inverseGainDb);
    m_limiter = new QCheckBox(QStringLiteral("Dﾚﾝｼﾞ_ﾘﾐｯﾀｰ"));
    m_limiter->setObjectName(QStringLiteral("limiter"));
    m_limit = RtNumberEdit("limit", o.limitDb);
    m_picture = RtPicture("picture",
                          [this](QPainter& p, const QRect& r) { PaintTaps(p, r, m_coef->Taps()); });
    auto* inverse = new QGroupBox(QStringLiteral("逆ﾌｨﾙﾀｰ"));
    auto* form = new QFormLayout(inverse);
    form->addRow(m_inverse);
    form->addRow(QStringLiteral("ｹﾞｲﾝ(dB)"), m_inverseGain);
    form->addRow(m_limiter, m_limit);
    auto* top = new QFormLayout;
    top->addRow(read);
    top->addRow(QStringLiteral("Property"), m_property);
    top->addRow(QStringLiteral("窓関数"), m_window);
    DesignArea()->addLayout(top);
    DesignArea()->addWidget(inverse);
    DesignArea()->addWidget(m_picture);
    DesignArea()->addStretch();
    m_property->setPlainText(PropertyText(m_coef->PropertyText()));

    connect(read, &QPushButton::clicked, this, &CCoefFirDlg::OnRead);
    Panel().onStart = [this] {
        ApplyOptions();
        m_coef->OnStart();
        m_picture->update();
    };
    Panel().onDisplay = [this](int i) {
        m_coef->OnDisplay(i);
        Panel().Refresh(m_coef->Display());
    };
    Panel().onSave = [this] { m_coef->OnSave(); };
    Panel().Refresh(m_coef->Display());
}

void CCoefFirDlg::ApplyOptions() {
    CCoefFirTool::Options o;
    o.windowEntry = m_window->currentIndex();
    o.inverse = m_inverse->isChecked();
    o.inverseGainDb = RtNumber(m_inverseGain);
    o.limiter = m_limiter->isChecked();
    o.limitDb = RtNumber(m_limit);
    m_coef->SetOptions(o);
}

void CCoefFirDlg::OnRead() {
    ApplyOptions();
    m_coef->OnRead();
    m_property->setPlainText(PropertyText(m_coef->PropertyText()));
    m_picture->update();
    Refresh();
}

CCoefIirDlg::CCoefIirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(
          doc, std::make_unique<CCoefIirTool>(doc, card), QStringLiteral("係数ﾌｧｲﾙによるIIR処理"),
          {QStringLiteral("f特:結果"), QStringLiteral("f特:累積"), QStringLiteral("f特:個別"),
           QStringLiteral("ﾓﾆﾀｰ_Log"), QStringLiteral("ﾓﾆﾀｰ_Lin"), QStringLiteral("ﾓﾆﾀｰ_OFF")},
          3, parent),
      m_coef(static_cast<CCoefIirTool*>(&Tool())) {
    auto* read = ReadButton("読出し");
    m_property = PropertyBox();
    m_order = new QLineEdit;
    m_order->setObjectName(QStringLiteral("order"));
    m_order->setReadOnly(true);
    m_stage = new QLineEdit;
    m_stage->setMaximumWidth(40);
    m_picture = RtPicture(
        "picture", [this](QPainter& p, const QRect& r) { PaintLines(p, r, m_coef->StageLines()); });
    auto* form = new QFormLayout;
    form->addRow(read);
    form->addRow(QStringLiteral("Property"), m_property);
    form->addRow(QStringLiteral("次数"), m_order);
    form->addRow(QStringLiteral("ｽﾃｰｼﾞ"),
                 MakeSpinRow(m_stage, this, QStringLiteral("stage"), [this](int d) {
                     m_coef->OnStageSpin(d);
                     Refresh();
                 }));
    DesignArea()->addLayout(form);
    DesignArea()->addWidget(m_picture);
    DesignArea()->addStretch();
    connect(read, &QPushButton::clicked, this, &CCoefIirDlg::OnRead);
    Panel().onDisplay = [this](int i) {
        m_coef->OnDisplay(i);
        Refresh();
    };
    Panel().onSave = [] {};
    m_property->setPlainText(PropertyText(m_coef->PropertyText()));
    Refresh();
}

void CCoefIirDlg::OnRead() {
    m_coef->OnRead();
    m_property->setPlainText(PropertyText(m_coef->PropertyText()));
    Refresh();
}

void CCoefIirDlg::Refresh() {
    Panel().Refresh(m_coef->Display());
    m_order->setText(m_coef->FileRead() ? QString::number(m_coef->Order()) : QString());
    m_stage->setText(QString::number(m_coef->Stage()));
    m_picture->update();
}
