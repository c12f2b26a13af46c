#include "sound/qt/CScopeDlg.h"

#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"
#include "sound/qt/PanelButtonImages.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"
#include "sound/scope/ScopeControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Two radio buttons of one choice; `choose` gets 0 for the first, 1 for the second.
QHBoxLayout* RadioPair(QWidget* owner, QRadioButton* (&buttons)[2], const char* first,
                       const char* second, const char* names[2],
                       const std::function<void(int)>& choose) {
    auto* group = new QButtonGroup(owner);
    auto* row = new QHBoxLayout;
    const char* texts[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QRadioButton(QString::fromUtf8(texts[i]));
        buttons[i]->setObjectName(QString::fromUtf8(names[i]));
        group->addButton(buttons[i], i);
        row->addWidget(buttons[i]);
    }
    QObject::connect(group, &QButtonGroup::idClicked, owner, choose);
    return row;
}

} // namespace

CScopeDlg::CScopeDlg(CKymoDoc& doc, std::unique_ptr<CScopeControls> controls, const QString& title,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_controls(std::move(controls)) {
    setWindowTitle(title);
    CScopeControls& c = *m_controls;

    m_on = ActionButton(QStringLiteral("ON"), "on", [this] { OnStart(); });
    m_disp = ActionButton(QStringLiteral("DISP"), "disp", [this] { OnDisp(); });
    auto* off = ActionButton(QStringLiteral("OFF"), "off", [this] { OnOff(); });
    m_rate = ActionButton(QString(), "rate", [&c] { c.OnRate(); });
    m_save = MakePictureButton("保存", "save");
    connect(m_save, &QToolButton::clicked, this, &CScopeDlg::OnSave);
    m_runButtons = new QGridLayout;
    m_runButtons->addWidget(m_on, 0, 0);
    m_runButtons->addWidget(m_disp, 0, 1);
    m_runButtons->addWidget(off, 1, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(m_runButtons);
    auto* sweep = new QFormLayout;
    sweep->addRow(QStringLiteral("ms/div"),
                  SpinRow(m_sweep, "sweep", [&c](int d) { c.OnSweepSpin(d); }));
    left->addLayout(sweep);
    left->addWidget(m_rate);
    left->addLayout(BuildTraceGroup());
    left->addWidget(m_save);
    left->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(BuildTriggerGroup());
    m_body = new QHBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(m_body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_delivery = std::make_unique<CQueuedDelivery>(
        c.Engine().Queue(), this, [this] { m_controls->Engine().DispatchCompletions(); });
    // A lost device stops the engine; a single shot stops it after its sweep.
    c.Engine().SetStoppedListener([this] { Refresh(); });
}

CScopeDlg::~CScopeDlg() {
    m_delivery.reset();
    m_controls->Engine().SetStoppedListener(nullptr);
}

QPushButton* CScopeDlg::ActionButton(const QString& text, const char* name,
                                     std::function<void()> action) {
    auto* button = MakePanelButton(text, QString::fromUtf8(name));
    connect(button, &QPushButton::clicked, this, [this, action] {
        action();
        Refresh();
    });
    return button;
}

QCheckBox* CScopeDlg::ActionCheck(const QString& text, const char* name,
                                  std::function<void(bool)> action) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromUtf8(name));
    connect(box, &QCheckBox::clicked, this, [this, action](bool on) {
        action(on);
        Refresh();
    });
    return box;
}

QLayout* CScopeDlg::SpinRow(QLineEdit*& field, const char* name, std::function<void(int)> step) {
    field = MakePanelField();
    return MakeSpinRow(field, this, QString::fromUtf8(name), [this, step](int d) {
        step(d);
        Refresh();
    });
}

QLayout* CScopeDlg::BuildTraceGroup() {
    CScopeControls& c = *m_controls;
    auto* form = new QFormLayout;
    const char* rangeNames[2] = {"ch1Range", "ch2Range"};
    const char* positionNames[2] = {"ch1Position", "ch2Position"};
    const char* showNames[2] = {"ch1Show", "ch2Show"};
    const char* rangeLabels[2] = {"ch1：ﾚﾝｼﾞ(倍)", "ch2：ﾚﾝｼﾞ(倍)"};
    const char* positionLabels[2] = {"ch1：ﾎﾟｼﾞｼｮﾝ(%)", "ch2：ﾎﾟｼﾞｼｮﾝ(%)"};
    auto* shown = new QHBoxLayout;
    for (int ch = 0; ch < 2; ++ch) {
        const int channel = ch + 1;
        m_show[ch] = ActionCheck(QStringLiteral("ch%1").arg(channel), showNames[ch],
                                 [&c, channel](bool on) { c.OnChannelSelect(channel, on); });
        shown->addWidget(m_show[ch]);
    }
    form->addRow(shown);
    for (int ch = 0; ch < 2; ++ch) {
        const int channel = ch + 1;
        form->addRow(QString::fromUtf8(rangeLabels[ch]),
                     SpinRow(m_range[ch], rangeNames[ch],
                             [&c, channel](int d) { c.OnRangeSpin(channel, d); }));
        form->addRow(QString::fromUtf8(positionLabels[ch]),
                     SpinRow(m_position[ch], positionNames[ch],
                             [&c, channel](int d) { c.OnPositionSpin(channel, d); }));
    }
    m_fixed =
        ActionCheck(QStringLiteral("±50%"), "fixed", [&c](bool on) { c.OnFixedPositions(on); });
    form->addRow(m_fixed);
    return form;
}

QLayout* CScopeDlg::BuildTriggerGroup() {
    CScopeControls& c = *m_controls;
    auto* box = new QGroupBox(QStringLiteral("ﾄﾘｶﾞ"));
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("ﾄﾘｶﾞﾚﾍﾞﾙ(%)"),
                 SpinRow(m_level, "trigLevel", [&c](int d) { c.OnTrigLevelSpin(d); }));
    m_fixedZero = ActionCheck(QStringLiteral("固定(0%)"), "trigZero",
                              [&c](bool on) { c.OnTrigFixedZero(on); });
    form->addRow(m_fixedZero);
    const char* channelNames[2] = {"trigCh1", "trigCh2"};
    form->addRow(RadioPair(this, m_trigCh, "ch1", "ch2", channelNames, [this, &c](int i) {
        c.OnTrigChannel(i + 1);
        Refresh();
    }));
    const char* slopeNames[2] = {"slopeRise", "slopeFall"};
    form->addRow(RadioPair(this, m_slope, "ﾄﾘｶﾞ(+)", "ﾄﾘｶﾞ(-)", slopeNames, [this, &c](int i) {
        c.OnSlope(i);
        Refresh();
    }));
    const char* modeNames[2] = {"modeAuto", "modeNormal"};
    form->addRow(RadioPair(this, m_mode, "ｵｰﾄ", "ﾉｰﾏﾙ", modeNames, [this, &c](int i) {
        c.OnTrigMode(i);
        Refresh();
    }));
    form->addRow(QStringLiteral("Trig.Delay(%)"),
                 SpinRow(m_delay, "delay", [&c](int d) { c.OnDelaySpin(d); }));
    m_xy = ActionCheck(QStringLiteral("X_Y"), "xy", [&c](bool on) { c.OnXY(on); });
    auto* column = new QVBoxLayout;
    column->addWidget(box);
    column->addWidget(m_xy);
    column->addStretch();
    return column;
}

void CScopeDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Beside the right edge of the main window, so that the traces stay in sight.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.right() - width() - 16, frame.top() + 90);
    }
}

void CScopeDlg::OnStart() {
    m_on->setEnabled(false);
    m_controls->OnStart();
    Refresh();
}

void CScopeDlg::OnDisp() {
    m_disp->setEnabled(false);
    m_controls->OnDisp();
    Refresh();
}

void CScopeDlg::OnOff() {
    m_controls->Close();
    Refresh();
    QDialog::accept();
}

void CScopeDlg::reject() {
    OnOff();
}

void CScopeDlg::OnSave() {
    m_controls->OnSave();
    Refresh();
}

void CScopeDlg::EnableSpin(const char* name, bool on) {
    const QString base = QString::fromUtf8(name);
    for (const char* arrow : {"Up", "Down"})
        if (auto* button = findChild<QToolButton*>(base + QString::fromUtf8(arrow)))
            button->setEnabled(on);
}

void CScopeDlg::Refresh() {
    CScopeControls& c = *m_controls;
    m_on->setEnabled(c.StartEnabled());
    m_disp->setEnabled(c.StopEnabled());
    m_rate->setText(UiText(c.RateText()));
    m_sweep->setText(UiText(c.SweepText()));
    const char* rangeNames[2] = {"ch1Range", "ch2Range"};
    const int shown[2] = {m_doc.m_bScopeCh1, m_doc.m_bScopeCh2};
    for (int ch = 0; ch < 2; ++ch) {
        m_show[ch]->setChecked(shown[ch] != 0);
        m_range[ch]->setText(UiText(c.RangeText(ch + 1)));
        m_position[ch]->setText(UiText(c.PositionText(ch + 1)));
        EnableSpin(rangeNames[ch], c.RangeEnabled(ch + 1));
    }
    m_fixed->setChecked(m_doc.m_bFixedPositions != 0);
    m_level->setText(UiText(c.TrigLevelText()));
    m_fixedZero->setChecked(m_doc.m_bTrigFixedZero != 0);
    m_trigCh[m_doc.m_nTrigCh == 1 ? 1 : 0]->setChecked(true);
    m_slope[m_doc.m_nTrigSlope == 1 ? 1 : 0]->setChecked(true);
    m_mode[m_doc.m_nTrigMode == 1 ? 1 : 0]->setChecked(true);
    m_delay->setText(UiText(c.DelayText()));
    m_xy->setChecked(m_doc.m_bScopeXY != 0);
    m_save->setIcon(PanelButtonImage(QStringLiteral("保存"), c.HasMeasured()));
}
