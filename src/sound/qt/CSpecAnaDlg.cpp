#include "sound/qt/CSpecAnaDlg.h"

#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/qt/PanelButtonImages.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"
#include "sound/spectrum/SpecAnaPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

QLineEdit* CSpecAnaDlg::Field() {
    return MakePanelField();
}

QLayout* CSpecAnaDlg::SpinRow(QLineEdit* field, const char* name, std::function<void(int)> step) {
    return MakeSpinRow(field, this, QString::fromUtf8(name), [this, step](int d) {
        step(d);
        Refresh();
    });
}

CSpecAnaDlg::CSpecAnaDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CSpecAnaDlg(doc, std::make_unique<CSpecAnaPanel>(doc, card), "ｽﾍﾟｸﾄﾗﾑｱﾅﾗｲｻﾞｰ", "SpecAnaDlg",
                  true, true, parent) {}

CSpecAnaDlg::CSpecAnaDlg(CKymoDoc& doc, std::unique_ptr<CSpecAnaPanel> panel, const char* title,
                         const char* name, bool levelGroup, bool pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_panel(std::move(panel)) {
    setWindowTitle(QString::fromUtf8(title));
    setObjectName(QString::fromUtf8(name));

    m_on = MakePanelButton(QStringLiteral("ON"), QStringLiteral("on"));
    m_off = MakePanelButton(QStringLiteral("OFF"), QStringLiteral("off"));
    m_disp = MakePanelButton(QStringLiteral("dISP"), QStringLiteral("disp"));
    m_interval = Field();
    for (int ch = 0; ch < 2; ++ch) {
        m_range[ch] = Field();
        m_position[ch] = Field();
    }
    m_fixed = new QCheckBox(QStringLiteral("±50%"));
    m_fixed->setObjectName(QStringLiteral("fixed"));
    m_topLevel = Field();
    m_dynamicRange = Field();
    m_average = MakePictureButton("Avr_", "average");
    m_save = MakePictureButton("保存", "save");

    auto* buttons = new QGridLayout;
    buttons->addWidget(m_on, 0, 0);
    buttons->addWidget(m_disp, 0, 1);
    buttons->addWidget(m_off, 1, 0, 1, 2);

    auto spin = [this](QLineEdit* field, const char* name, std::function<void(int)> step) {
        return SpinRow(field, name, std::move(step));
    };
    auto* form = new QFormLayout;
    m_form = form;
    form->addRow(QStringLiteral("間隔(sec)"),
                 spin(m_interval, "interval", [this](int d) { m_panel->OnIntervalSpin(d); }));
    form->addRow(QStringLiteral("ch1：ﾚﾝｼﾞ(倍)"),
                 spin(m_range[0], "ch1Range", [this](int d) { m_panel->OnRangeSpin(1, d); }));
    form->addRow(QStringLiteral("ﾎﾟｼﾞｼｮﾝ(%)"), spin(m_position[0], "ch1Position", [this](int d) {
                     m_panel->OnPositionSpin(1, d);
                 }));
    form->addRow(QStringLiteral("ch2：ﾚﾝｼﾞ(倍)"),
                 spin(m_range[1], "ch2Range", [this](int d) { m_panel->OnRangeSpin(2, d); }));
    form->addRow(QStringLiteral("ﾎﾟｼﾞｼｮﾝ(%)"), spin(m_position[1], "ch2Position", [this](int d) {
                     m_panel->OnPositionSpin(2, d);
                 }));
    form->addRow(QString(), m_fixed);
    if (levelGroup) {
        form->addRow(QStringLiteral("最大値(dB)"),
                     spin(m_topLevel, "topLevel", [this](int d) { m_panel->OnTopLevelSpin(d); }));
        form->addRow(QStringLiteral("D_ﾚﾝｼﾞ(dB)"),
                     spin(m_dynamicRange, "dynamicRange",
                          [this](int d) { m_panel->OnDynamicRangeSpin(d); }));
    } else {
        m_topLevel->setParent(this);
        m_dynamicRange->setParent(this);
        m_topLevel->hide();
        m_dynamicRange->hide();
    }

    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(m_average);
    pictureRow->addWidget(m_save);
    m_average->setVisible(pictures);
    m_save->setVisible(pictures);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(form);
    layout->addLayout(pictureRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_on, &QPushButton::clicked, this, &CSpecAnaDlg::OnStart);
    connect(m_off, &QPushButton::clicked, this, &CSpecAnaDlg::OnOff);
    connect(m_disp, &QPushButton::clicked, this, &CSpecAnaDlg::OnDisp);
    connect(m_average, &QToolButton::clicked, this, &CSpecAnaDlg::OnAverage);
    connect(m_save, &QToolButton::clicked, this, &CSpecAnaDlg::OnSave);
    connect(m_fixed, &QCheckBox::clicked, this, &CSpecAnaDlg::OnFixedPositions);

    SoundDuplex& engine = m_panel->Engine();
    m_delivery = std::make_unique<CQueuedDelivery>(
        engine.Queue(), this, [this] { m_panel->Engine().DispatchCompletions(); });
    // The device was lost while running: the engine stopped and reported it.
    engine.SetStoppedListener([this] { Refresh(); });
    Refresh();
}

CSpecAnaDlg::~CSpecAnaDlg() {
    m_delivery.reset();
    m_panel->Engine().SetStoppedListener(nullptr);
}

void CSpecAnaDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Beside the right edge of the main window, so that the plots stay in sight.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.right() - width() - 16, frame.top() + 90);
    }
}

void CSpecAnaDlg::OnStart() {
    m_on->setEnabled(false);
    m_panel->OnStart();
    Refresh();
}

void CSpecAnaDlg::OnOff() {
    m_panel->Close();
    Refresh();
    QDialog::accept();
}

void CSpecAnaDlg::reject() {
    OnOff();
}

void CSpecAnaDlg::OnDisp() {
    m_disp->setEnabled(false);
    m_panel->OnDisp();
    Refresh();
}

void CSpecAnaDlg::OnAverage() {
    m_panel->OnAverage();
    Refresh();
}

void CSpecAnaDlg::OnSave() {
    m_panel->OnSave();
    Refresh();
}

void CSpecAnaDlg::OnFixedPositions(bool on) {
    m_panel->OnFixedPositions(on);
    Refresh();
}

void CSpecAnaDlg::Refresh() {
    CSpecAnaPanel& p = *m_panel;
    m_interval->setText(UiText(p.IntervalText()));
    for (int ch = 0; ch < 2; ++ch) {
        m_range[ch]->setText(UiText(p.RangeText(ch + 1)));
        m_position[ch]->setText(UiText(p.PositionText(ch + 1)));
    }
    m_fixed->setChecked(p.FixedPositions());
    m_topLevel->setText(UiText(p.TopLevelText()));
    m_dynamicRange->setText(UiText(p.DynamicRangeText()));
    m_on->setEnabled(p.StartEnabled());
    m_disp->setEnabled(p.StopEnabled());
    m_average->setIcon(PanelButtonImage(QStringLiteral("Avr_"), m_doc.m_bAveraging != 0));
    m_save->setIcon(PanelButtonImage(QStringLiteral("保存"), p.HasMeasured()));
}
