#include "sound/qt/CTubeAmpDlg.h"

#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/engine/SoundReports.h"
#include "sound/qt/PanelButtonImages.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"
#include "tube/TubeAmpPanel.h"
#include "tube/TubeBuiltins.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit* ValueField(const QString& name, bool editable) {
    QLineEdit* edit = MakePanelField();
    edit->setObjectName(name);
    edit->setMaximumWidth(80);
    edit->setMinimumWidth(72);
    edit->setReadOnly(!editable);
    if (editable) edit->setValidator(new QDoubleValidator(edit));
    return edit;
}

QString Number(double v) {
    return QString::number(v, 'g', 6);
}

} // namespace

CTubeAmpDlg::CTubeAmpDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_panel(std::make_unique<CTubeAmpPanel>(doc, card)) {
    setWindowTitle(QStringLiteral("Virtual Tube"));
    setObjectName(QStringLiteral("TubeAmpDlg"));
    CTubeAmpPanel& p = *m_panel;

    m_on = MakePanelButton(QStringLiteral("ON"), QStringLiteral("on"));
    m_stop = MakePictureButton("STOP", "stop");
    m_off = MakePanelButton(QStringLiteral("OFF"), QStringLiteral("off"));
    m_compute = MakePanelButton(QStringLiteral("計算"), QStringLiteral("compute"));
    m_through = MakePictureButton("Through", "through");
    m_save = MakePictureButton("保存", "save");
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_on), static_cast<QWidget*>(m_stop),
                       static_cast<QWidget*>(m_off), static_cast<QWidget*>(m_compute),
                       static_cast<QWidget*>(m_through), static_cast<QWidget*>(m_save)})
        buttons->addWidget(w);
    buttons->addStretch(1);

    m_device = new QComboBox;
    m_device->setObjectName(QStringLiteral("device"));
    for (const std::string& name : tube::DeviceNames()) m_device->addItem(UiText(name));
    m_circuit = new QComboBox;
    m_circuit->setObjectName(QStringLiteral("circuit"));
    for (const char* c : {"ｼﾝｸﾞﾙ", "ﾌﾟｯｼｭﾌﾟﾙ", "差動ﾌﾟｯｼｭﾌﾟﾙ"})
        m_circuit->addItem(QString::fromUtf8(c));
    m_bias = new QComboBox;
    m_bias->setObjectName(QStringLiteral("bias"));
    m_bias->setMinimumContentsLength(12);
    auto* combos = new QHBoxLayout;
    combos->addWidget(m_device);
    combos->addWidget(m_circuit);
    combos->addWidget(m_bias);
    combos->addStretch(1);

    // ---- Per tube ----
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(QStringLiteral("上側球")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("下側球")), 0, 2, Qt::AlignHCenter);
    m_biasLabel = new QLabel;
    m_biasLabel->setObjectName(QStringLiteral("biasLabel"));
    m_resultLabel = new QLabel;
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));
    const auto row = [grid](int r, QWidget* label, QLineEdit* const fields[2]) {
        grid->addWidget(label, r, 0);
        grid->addWidget(fields[0], r, 1);
        grid->addWidget(fields[1], r, 2);
    };
    const char* const sides[2] = {"Upper", "Lower"};
    for (int t = 0; t < 2; ++t) {
        const QString s = QString::fromUtf8(sides[t]);
        m_load[t] = ValueField(QStringLiteral("load") + s, true);
        m_supply[t] = ValueField(QStringLiteral("supply") + s, true);
        m_emax[t] = ValueField(QStringLiteral("emax") + s, false);
        m_biasValue[t] = ValueField(QStringLiteral("biasValue") + s, true);
        m_epError[t] = ValueField(QStringLiteral("epError") + s, false);
        m_ipError[t] = ValueField(QStringLiteral("ipError") + s, false);
        m_result[t] = ValueField(QStringLiteral("result") + s, false);
    }
    row(1, new QLabel(QStringLiteral("負荷抵抗(kΩ/球)")), m_load);
    row(2, new QLabel(QStringLiteral("ﾌﾟﾚｰﾄ電圧(Epk_V)")), m_supply);
    row(3, new QLabel(QStringLiteral("最大電圧(Emax_V)")), m_emax);
    row(4, m_biasLabel, m_biasValue);
    // The error fields with their spins (1052/1053 Ep, 1054/1056 Ip).
    const auto errorRow = [this, grid, &p](int r, const QString& label, QLineEdit* const fields[2],
                                           int which) {
        grid->addWidget(new QLabel(label), r, 0);
        for (int t = 0; t < 2; ++t)
            grid->addLayout(MakeSpinRow(fields[t], this, fields[t]->objectName(),
                                        [this, &p, which, t](int d) {
                                            ReadValues();
                                            p.OnErrorSpin(which, t, d);
                                            ShowValues();
                                            Refresh();
                                        }),
                            r, t + 1);
    };
    errorRow(5, QStringLiteral("Ep誤差(%)"), m_epError, 0);
    errorRow(6, QStringLiteral("Ip誤差(%)"), m_ipError, 1);
    row(7, m_resultLabel, m_result);
    m_power = ValueField(QStringLiteral("power"), true);
    grid->addWidget(new QLabel(QStringLiteral("設定(W)")), 8, 0);
    grid->addWidget(m_power, 8, 1);
    grid->setRowStretch(9, 1);

    // ---- Stream and display ----
    m_rate = MakePanelButton(QStringLiteral("Fs=44.1kHz"), QStringLiteral("rate"));
    m_width = MakePanelButton(QStringLiteral("Bit=16"), QStringLiteral("width"));
    m_trigger = MakePanelButton(QStringLiteral("Triger"), QStringLiteral("trigger"));
    m_trigger->setCheckable(true);
    m_sweep = MakePanelField();
    m_sweep->setMinimumWidth(72);
    for (int ch = 0; ch < 2; ++ch) {
        m_range[ch] = MakePanelField();
        m_position[ch] = MakePanelField();
    }
    m_fixed = new QCheckBox(QStringLiteral("±50%"));
    m_fixed->setObjectName(QStringLiteral("fixed"));
    const auto spin = [this](QLineEdit* field, const char* name, std::function<void(int)> step) {
        return MakeSpinRow(field, this, QString::fromUtf8(name), [this, step](int d) {
            step(d);
            Refresh();
        });
    };
    auto* display = new QFormLayout;
    auto* format = new QHBoxLayout;
    format->addWidget(m_rate);
    format->addWidget(m_width);
    display->addRow(format);
    display->addRow(QStringLiteral("掃引"),
                    spin(m_sweep, "sweep", [&p](int d) { p.OnSweepSpin(d); }));
    display->addRow(QString(), m_trigger);
    display->addRow(QStringLiteral("ch1：ﾚﾝｼﾞ(倍)"),
                    spin(m_range[0], "ch1Range", [&p](int d) { p.OnRangeSpin(1, d); }));
    display->addRow(QStringLiteral("ch2：ﾚﾝｼﾞ(倍)"),
                    spin(m_range[1], "ch2Range", [&p](int d) { p.OnRangeSpin(2, d); }));
    display->addRow(QStringLiteral("ch1：ﾎﾟｼﾞｼｮﾝ(%)"),
                    spin(m_position[0], "ch1Position", [&p](int d) { p.OnPositionSpin(1, d); }));
    display->addRow(QStringLiteral("ch2：ﾎﾟｼﾞｼｮﾝ(%)"),
                    spin(m_position[1], "ch2Position", [&p](int d) { p.OnPositionSpin(2, d); }));
    display->addRow(QString(), m_fixed);

    auto* middle = new QHBoxLayout;
    middle->addLayout(grid);
    middle->addSpacing(16);
    middle->addLayout(display);

    m_deviceText = new QLabel(UiText(InputDeviceText(card)));
    m_deviceText->setObjectName(QStringLiteral("deviceText"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(combos);
    layout->addLayout(middle);
    layout->addWidget(m_deviceText);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_on, &QPushButton::clicked, this, &CTubeAmpDlg::OnStart);
    connect(m_stop, &QToolButton::clicked, this, &CTubeAmpDlg::OnStop);
    connect(m_off, &QPushButton::clicked, this, &CTubeAmpDlg::OnOff);
    connect(m_compute, &QPushButton::clicked, this, &CTubeAmpDlg::OnCompute);
    connect(m_save, &QToolButton::clicked, this, &CTubeAmpDlg::OnSave);
    connect(m_device, qOverload<int>(&QComboBox::activated), this, &CTubeAmpDlg::OnDevice);
    connect(m_circuit, qOverload<int>(&QComboBox::activated), this, &CTubeAmpDlg::OnCircuit);
    connect(m_bias, qOverload<int>(&QComboBox::activated), this, &CTubeAmpDlg::OnBias);
    connect(m_through, &QToolButton::clicked, this, [this] {
        m_panel->OnThrough();
        Refresh();
    });
    connect(m_rate, &QPushButton::clicked, this, [this] {
        m_panel->OnRateButton();
        Refresh();
    });
    connect(m_width, &QPushButton::clicked, this, [this] {
        m_panel->OnWidthButton();
        Refresh();
    });
    connect(m_trigger, &QPushButton::clicked, this, [this] {
        m_panel->OnTrigger();
        Refresh();
    });
    connect(m_fixed, &QCheckBox::clicked, this, [this](bool on) {
        m_panel->OnFixedPositions(on);
        Refresh();
    });

    SoundDuplex& engine = p.Engine();
    m_delivery = std::make_unique<CQueuedDelivery>(
        engine.Queue(), this, [this] { m_panel->Engine().DispatchCompletions(); });
    engine.SetStoppedListener([this] { Refresh(); });
    ShowValues();
    Refresh();
}

CTubeAmpDlg::~CTubeAmpDlg() {
    m_delivery.reset();
    m_panel->Engine().SetStoppedListener(nullptr);
}

void CTubeAmpDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Beside the right edge of the main window, so that the characteristics stay in sight.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.right() - width() - 16, frame.top() + 90);
    }
}

void CTubeAmpDlg::ReadValues() {
    TubeAmpSettings& s = m_panel->Settings();
    for (int t = 0; t < 2; ++t) {
        s.tube[t].load = m_load[t]->text().toDouble();
        s.tube[t].supply = m_supply[t]->text().toDouble();
        m_panel->SetBiasValue(t, m_biasValue[t]->text().toDouble());
    }
    m_panel->Wanted() = m_power->text().toDouble();
}

void CTubeAmpDlg::ShowValues() {
    CTubeAmpPanel& p = *m_panel;
    const TubeAmpSettings& s = p.Settings();
    for (int t = 0; t < 2; ++t) {
        m_load[t]->setText(Number(s.tube[t].load));
        m_supply[t]->setText(Number(s.tube[t].supply));
        m_emax[t]->setText(Number(p.Device().com[TubeData::PlateScale]));
        m_biasValue[t]->setText(Number(p.BiasValue(t)));
        m_epError[t]->setText(Number(s.tube[t].epError));
        m_ipError[t]->setText(Number(s.tube[t].ipError));
    }
    m_power->setText(Number(s.wanted));
}

void CTubeAmpDlg::OnStart() {
    m_panel->OnStart();
    Refresh();
}

void CTubeAmpDlg::OnStop() {
    m_panel->OnStop();
    Refresh();
}

void CTubeAmpDlg::OnOff() {
    m_panel->Close();
    Refresh();
    QDialog::accept();
}

void CTubeAmpDlg::reject() {
    OnOff();
}

void CTubeAmpDlg::OnCompute() {
    ReadValues();
    m_panel->OnCompute();
    Refresh();
}

void CTubeAmpDlg::OnSave() {
    ReadValues();
    m_panel->OnSave();
    Refresh();
}

void CTubeAmpDlg::OnDevice(int index) {
    m_panel->SelectDevice(index);
    ShowValues();
    Refresh();
}

void CTubeAmpDlg::OnCircuit(int circuit) {
    ReadValues();
    m_panel->SetCircuit(circuit);
    ShowValues();
    Refresh();
}

void CTubeAmpDlg::OnBias(int bias) {
    ReadValues();
    m_panel->SetBias(bias);
    ShowValues();
    Refresh();
}

void CTubeAmpDlg::Refresh() {
    const CTubeAmpPanel& p = *m_panel;
    const bool running = p.IsRunning();
    const bool pair = p.Settings().circuit != 0;
    m_on->setEnabled(!running);
    m_stop->setEnabled(running);
    m_stop->setIcon(PanelButtonImage(QStringLiteral("STOP"), running));
    m_through->setIcon(PanelButtonImage(QStringLiteral("Through"), p.IsThrough()));
    m_save->setIcon(PanelButtonImage(QStringLiteral("保存"), false));
    if (p.DeviceIndex() >= 0) m_device->setCurrentIndex(p.DeviceIndex());
    m_circuit->setCurrentIndex(p.Settings().circuit);
    m_bias->clear();
    for (const std::string& choice : p.BiasChoices()) m_bias->addItem(UiText(choice));
    m_bias->setCurrentIndex(std::min(p.Settings().bias, m_bias->count() - 1));
    m_biasLabel->setText(UiText(p.BiasLabel()));
    m_resultLabel->setText(UiText(p.ResultLabel()));
    for (int t = 0; t < 2; ++t) {
        m_result[t]->setText(UiText(p.ResultText(t)));
        // The lower tube is used by the push-pull circuits only.
        if (t == 1)
            for (QLineEdit* e : {m_load[1], m_supply[1], m_emax[1], m_biasValue[1], m_epError[1],
                                 m_ipError[1], m_result[1]})
                e->setEnabled(pair);
    }
    m_rate->setText(UiText(p.RateText()));
    m_width->setText(UiText(p.WidthText()));
    m_sweep->setText(UiText(p.SweepText()));
    m_trigger->setChecked(p.TriggerChannel() != 0);
    for (int ch = 0; ch < 2; ++ch) {
        m_range[ch]->setText(UiText(p.RangeText(ch + 1)));
        m_position[ch]->setText(UiText(p.PositionText(ch + 1)));
    }
    m_fixed->setChecked(p.FixedPositions());
    for (QWidget* w : {static_cast<QWidget*>(m_device), static_cast<QWidget*>(m_rate),
                       static_cast<QWidget*>(m_width), static_cast<QWidget*>(m_save)})
        w->setEnabled(!running);
}
