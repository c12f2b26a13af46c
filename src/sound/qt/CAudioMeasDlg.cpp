#include "sound/qt/CAudioMeasDlg.h"

#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"
#include "sound/audio/AudioMeasPanel.h"
#include "sound/audio/AudioResults.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/qt/CAudioDetailDlg.h"
#include "sound/qt/PanelButtonImages.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The result block's slot of each result field (L, R) by row.
struct ResultRow {
    int item; // the row's check box, -1 for a second row
    const char* label;
    int left, right;
    int decimals;
};
constexpr ResultRow kRows[] = {
    {CAudioResults::FreqResponse, nullptr, 0, 2, 2},
    {-1, nullptr, 1, 3, 2},
    {CAudioResults::Thd, nullptr, 4, 5, 4},
    {-1, "THD+N(%)", 6, 7, 4},
    {CAudioResults::SignalNoise, nullptr, 8, 9, 2},
    {-1, "UnWeight(dB)", 10, 11, 2},
    {CAudioResults::DynamicRange, nullptr, 12, 13, 2},
    {-1, "UnWeight(dB)", 14, 15, 2},
    {CAudioResults::ImDistortion, nullptr, 16, 17, 4},
    {CAudioResults::Crosstalk, "1kHz", 20, 18, 2},
    {-1, "10kHz", 19, 21, 2},
};
const char* const kItemLabels[] = {"f特(dB)",    "THD(%)",      "SN比(dBA)",
                                   "Dﾚﾝｼﾞ(dBA)", "IM+N歪率(%)", "漏話(dB)"};
const char* const kModes[] = {"同期測定ﾓｰﾄﾞ", "ﾀﾞｲﾚｸﾄﾓｰﾄﾞ", "手動測定ﾓｰﾄﾞ"};

QLineEdit* ResultField(const QString& name) {
    QLineEdit* edit = MakePanelField();
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setMaximumWidth(72);
    edit->setMinimumWidth(64);
    return edit;
}

} // namespace

template <class F> void CAudioMeasDlg::Press(F&& handler) {
    handler();
    Refresh();
}

CAudioMeasDlg::CAudioMeasDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_panel(std::make_unique<CAudioMeasPanel>(doc, card)) {
    setWindowTitle(QStringLiteral("ｵｰﾃﾞｨｵ測定"));
    setObjectName(QStringLiteral("AudioMeasDlg"));
    CAudioMeasPanel& p = *m_panel;

    // ---- Capture ----
    m_on = MakePanelButton(QStringLiteral("ON"), QStringLiteral("on"));
    m_stop = MakePictureButton("STOP", "stop");
    m_off = MakePanelButton(QStringLiteral("OFF"), QStringLiteral("off"));
    m_mode = new QComboBox;
    m_mode->setObjectName(QStringLiteral("mode"));
    for (const char* mode : kModes) m_mode->addItem(QString::fromUtf8(mode));
    m_rate = MakePanelButton(QStringLiteral("Fs=44.1kHz"), QStringLiteral("rate"));
    m_width = MakePanelButton(QStringLiteral("Bit=16"), QStringLiteral("width"));
    m_band = MakePictureButton("Button1", "bandLimit");
    m_average = MakePictureButton("Avr_", "average");
    auto* capture = new QHBoxLayout;
    capture->addWidget(m_on);
    capture->addWidget(m_stop);
    capture->addWidget(m_off);
    capture->addSpacing(12);
    capture->addWidget(m_mode);
    capture->addWidget(m_rate);
    capture->addWidget(m_width);
    capture->addWidget(m_band);
    capture->addStretch(1);

    // ---- Items and results ----
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(QStringLiteral("L")), 0, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("R")), 0, 3, Qt::AlignHCenter);
    m_level[0] = ResultField(QStringLiteral("levelL"));
    m_level[1] = ResultField(QStringLiteral("levelR"));
    grid->addWidget(new QLabel(QStringLiteral("入力(dB)")), 1, 0, 1, 2);
    grid->addWidget(m_level[0], 1, 2);
    grid->addWidget(m_level[1], 1, 3);
    int row = 2;
    int freqRow = 0;
    for (const ResultRow& r : kRows) {
        if (r.item >= 0) {
            auto* box = new QCheckBox(QString::fromUtf8(kItemLabels[r.item]));
            box->setObjectName(QStringLiteral("item%1").arg(r.item));
            m_item[r.item] = box;
            grid->addWidget(box, row, 0);
            auto* graph = MakePanelButton(QStringLiteral("F%1").arg(r.item + 1),
                                          QStringLiteral("graph%1").arg(r.item + 1));
            m_graph[r.item] = graph;
            grid->addWidget(graph, row, 4);
            const int item = r.item;
            connect(box, &QCheckBox::clicked, this, [this, item](bool on) { OnItem(item, on); });
            connect(graph, &QPushButton::clicked, this, [this, item] { OnGraph(item); });
        }
        if (r.left < 4) {
            m_freqRow[freqRow] = new QLabel;
            m_freqRow[freqRow]->setObjectName(QStringLiteral("freqRow%1").arg(freqRow + 1));
            grid->addWidget(m_freqRow[freqRow++], row, 1, Qt::AlignRight);
        } else if (r.label) {
            grid->addWidget(new QLabel(QString::fromUtf8(r.label)), row, r.item >= 0 ? 1 : 0, 1,
                            r.item >= 0 ? 1 : 2, Qt::AlignRight);
        }
        m_result[r.left] = ResultField(QStringLiteral("result%1").arg(r.left));
        m_result[r.right] = ResultField(QStringLiteral("result%1").arg(r.right));
        grid->addWidget(m_result[r.left], row, 2);
        grid->addWidget(m_result[r.right], row, 3);
        ++row;
    }
    m_monitor[0] = ResultField(QStringLiteral("monitor1"));
    m_monitor[1] = ResultField(QStringLiteral("monitor2"));
    grid->addWidget(new QLabel(QStringLiteral("ﾓﾆﾀｰ(Hz)")), row, 0, 1, 2);
    grid->addWidget(m_monitor[0], row, 2);
    grid->addWidget(m_monitor[1], row, 3);
    ++row;
    m_setAll = new QCheckBox(QStringLiteral("Set All"));
    m_setAll->setObjectName(QStringLiteral("setAll"));
    grid->addWidget(m_setAll, row, 0);
    grid->setRowStretch(row + 1, 1);

    // ---- Run, settings and files ----
    m_run = MakePanelButton(QStringLiteral("Run"), QStringLiteral("run"));
    m_set = MakePanelButton(QStringLiteral("Set"), QStringLiteral("set"));
    m_save = MakePanelButton(QStringLiteral("Save"), QStringLiteral("save"));
    m_load = MakePanelButton(QStringLiteral("Load"), QStringLiteral("load"));
    m_wave = MakePanelButton(QStringLiteral("Wave"), QStringLiteral("wave"));
    m_reference = MakePanelButton(QStringLiteral("基準ﾚﾍﾞﾙ取得"), QStringLiteral("reference"));
    auto* getRef = new QLineEdit(QStringLiteral("Get Ref"));
    getRef->setObjectName(QStringLiteral("getRef"));
    getRef->setReadOnly(true);
    getRef->setMaximumWidth(64);
    auto* actions = new QGridLayout;
    actions->addWidget(m_run, 0, 0);
    actions->addWidget(m_set, 0, 1);
    actions->addWidget(m_save, 0, 2);
    actions->addWidget(m_load, 0, 3);
    actions->addWidget(m_wave, 1, 0);
    actions->addWidget(m_reference, 1, 1, 1, 2);
    actions->addWidget(getRef, 1, 3);

    // ---- Display ----
    m_interval = MakePanelField();
    for (int ch = 0; ch < 2; ++ch) {
        m_range[ch] = MakePanelField();
        m_position[ch] = MakePanelField();
    }
    m_fixed = new QCheckBox(QStringLiteral("±50%"));
    m_fixed->setObjectName(QStringLiteral("fixed"));
    m_topLevel = MakePanelField();
    m_dynamicRange = MakePanelField();
    auto spin = [this](QLineEdit* field, const char* name, std::function<void(int)> step) {
        return MakeSpinRow(field, this, QString::fromUtf8(name),
                           [this, step](int d) { Press([&] { step(d); }); });
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("間隔(sec)"),
                 spin(m_interval, "interval", [&p](int d) { p.OnIntervalSpin(d); }));
    form->addRow(QStringLiteral("L：ﾚﾝｼﾞ(倍)"),
                 spin(m_range[0], "ch1Range", [&p](int d) { p.OnRangeSpin(1, d); }));
    form->addRow(QStringLiteral("ﾎﾟｼﾞｼｮﾝ(%)"),
                 spin(m_position[0], "ch1Position", [&p](int d) { p.OnPositionSpin(1, d); }));
    form->addRow(QStringLiteral("R：ﾚﾝｼﾞ(倍)"),
                 spin(m_range[1], "ch2Range", [&p](int d) { p.OnRangeSpin(2, d); }));
    form->addRow(QStringLiteral("ﾎﾟｼﾞｼｮﾝ(%)"),
                 spin(m_position[1], "ch2Position", [&p](int d) { p.OnPositionSpin(2, d); }));
    form->addRow(QString(), m_fixed);
    form->addRow(QStringLiteral("最大値(dB)"),
                 spin(m_topLevel, "topLevel", [&p](int d) { p.OnTopLevelSpin(d); }));
    form->addRow(QStringLiteral("D_ﾚﾝｼﾞ(dB)"),
                 spin(m_dynamicRange, "dynamicRange", [&p](int d) { p.OnDynamicRangeSpin(d); }));
    auto* display = new QVBoxLayout;
    display->addLayout(form);
    display->addWidget(m_average, 0, Qt::AlignLeft);
    display->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addLayout(grid);
    middle->addSpacing(12);
    middle->addLayout(display);

    m_device = new QLabel;
    m_device->setObjectName(QStringLiteral("device"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(capture);
    layout->addLayout(middle);
    layout->addLayout(actions);
    layout->addWidget(m_device);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_on, &QPushButton::clicked, this, &CAudioMeasDlg::OnStart);
    connect(m_stop, &QToolButton::clicked, this, &CAudioMeasDlg::OnStop);
    connect(m_off, &QPushButton::clicked, this, &CAudioMeasDlg::OnOff);
    connect(m_run, &QPushButton::clicked, this, &CAudioMeasDlg::OnRun);
    connect(m_set, &QPushButton::clicked, this, &CAudioMeasDlg::OnDetail);
    connect(m_mode, qOverload<int>(&QComboBox::activated), this, &CAudioMeasDlg::OnMode);
    connect(m_setAll, &QCheckBox::clicked, this, &CAudioMeasDlg::OnSetAll);
    connect(m_rate, &QPushButton::clicked, this,
            [this] { Press([this] { m_panel->OnRateButton(); }); });
    connect(m_width, &QPushButton::clicked, this,
            [this] { Press([this] { m_panel->OnWidthButton(); }); });
    connect(m_band, &QToolButton::clicked, this,
            [this] { Press([this] { m_panel->OnBandLimit(); }); });
    connect(m_average, &QToolButton::clicked, this,
            [this] { Press([this] { m_panel->OnAverage(); }); });
    connect(m_fixed, &QCheckBox::clicked, this,
            [this](bool on) { Press([this, on] { m_panel->OnFixedPositions(on); }); });
    connect(m_save, &QPushButton::clicked, this,
            [this] { Press([this] { m_panel->OnSaveButton(); }); });
    connect(m_load, &QPushButton::clicked, this,
            [this] { Press([this] { m_panel->OnLoadButton(); }); });
    // "Wave" ticks every box, "Set All" too.
    connect(m_wave, &QPushButton::clicked, this, [this] {
        m_setAll->setChecked(true);
        Press([this] { m_panel->OnWave(); });
    });
    connect(m_reference, &QPushButton::clicked, this,
            [this] { Press([this] { m_panel->OnTakeReference(); }); });

    SoundDuplex& engine = p.Engine();
    m_delivery = std::make_unique<CQueuedDelivery>(engine.Queue(), this, [this] {
        if (m_panel->Engine().DispatchCompletions() > 0) Refresh();
    });
    // The device was lost while running, or the run ended: the engine stopped.
    engine.SetStoppedListener([this] { Refresh(); });
    Refresh();
}

CAudioMeasDlg::~CAudioMeasDlg() {
    m_delivery.reset();
    m_panel->Engine().SetStoppedListener(nullptr);
}

void CAudioMeasDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Beside the right edge of the main window, so that the graphs stay in sight.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.right() - width() - 16, frame.top() + 90);
    }
}

void CAudioMeasDlg::OnStart() {
    Press([this] { m_panel->OnStart(); });
}

void CAudioMeasDlg::OnStop() {
    Press([this] { m_panel->OnStop(); });
}

void CAudioMeasDlg::OnOff() {
    m_panel->Close();
    Refresh();
    QDialog::accept();
}

void CAudioMeasDlg::reject() {
    OnOff();
}

void CAudioMeasDlg::OnRun() {
    Press([this] { m_panel->OnRun(); });
}

void CAudioMeasDlg::OnDetail() {
    CAudioDetailDlg dlg(*m_panel, this);
    dlg.exec();
    Refresh();
}

void CAudioMeasDlg::OnMode(int mode) {
    Press([this, mode] { m_panel->SetMode(mode); });
}

void CAudioMeasDlg::OnItem(int item, bool on) {
    Press([this, item, on] { m_panel->SetItem(item, on); });
}

void CAudioMeasDlg::OnSetAll(bool on) {
    Press([this, on] { m_panel->SetAll(on); });
}

void CAudioMeasDlg::OnGraph(int item) {
    Press([this, item] { m_panel->ShowGraph(item); });
}

void CAudioMeasDlg::Refresh() {
    const CAudioMeasPanel& p = *m_panel;
    const bool running = p.IsRunning();
    const bool manual = p.Mode() == CAudioMeasPanel::Manual;
    m_on->setEnabled(!running);
    m_stop->setEnabled(running);
    m_stop->setIcon(PanelButtonImage(QStringLiteral("STOP"), running));
    m_run->setEnabled(!running || p.Step() == 0);
    m_mode->setCurrentIndex(p.Mode());
    m_rate->setText(UiText(p.RateText()));
    m_width->setText(UiText(p.WidthText()));
    m_band->setIcon(PanelButtonImage(QStringLiteral("20kHz"), p.BandLimit()));
    m_average->setIcon(PanelButtonImage(QStringLiteral("Avr_"), m_doc.m_bAveraging != 0));
    // The settings stay as they are while a run goes on.
    for (QWidget* w : {static_cast<QWidget*>(m_mode), static_cast<QWidget*>(m_rate),
                       static_cast<QWidget*>(m_width), static_cast<QWidget*>(m_set),
                       static_cast<QWidget*>(m_load), static_cast<QWidget*>(m_wave)})
        w->setEnabled(!running);
    m_reference->setEnabled(manual);
    m_interval->setText(UiText(p.IntervalText()));
    for (int ch = 0; ch < 2; ++ch) {
        m_range[ch]->setText(UiText(p.RangeText(ch + 1)));
        m_position[ch]->setText(UiText(p.PositionText(ch + 1)));
        m_freqRow[ch]->setText(UiText(p.FreqRowLabel(ch)));
        m_level[ch]->setText(QString::number(p.InputLevels()[ch], 'f', 2));
        m_monitor[ch]->setText(QString::number(p.Monitor(ch), 'f', 0));
    }
    m_fixed->setChecked(p.FixedPositions());
    m_topLevel->setText(UiText(p.TopLevelText()));
    m_dynamicRange->setText(UiText(p.DynamicRangeText()));
    for (int item = 0; item < CAudioResults::kItems; ++item) {
        m_item[item]->setChecked(p.Item(item));
        const bool offered =
            !manual || (item != CAudioResults::FreqResponse && item != CAudioResults::Crosstalk);
        m_item[item]->setEnabled(offered && !running);
    }
    const auto& v = p.Results().m_fResult;
    for (const ResultRow& r : kRows)
        for (int slot : {r.left, r.right})
            m_result[slot]->setText(QString::number(v[slot], 'f', r.decimals));
    m_device->setText(UiText(p.DeviceText()));
}
