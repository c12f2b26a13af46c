#include "realtime/qt/CRtPanelWidget.h"

#include "app/dialogs/CRateButton.h"
#include "app/dialogs/SpinRow.h"
#include "realtime/LineOutMode.h"
#include "realtime/RtFilterTool.h"
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
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const char* text, const char* name) {
    return MakePanelButton(QString::fromUtf8(text), QString::fromUtf8(name));
}

QLineEdit* Field(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromUtf8(name));
    e->setReadOnly(true);
    e->setMaximumWidth(52);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

CRtPanelWidget::CRtPanelWidget(CRtFilterTool& tool, const QStringList& displays, int channels,
                               QWidget* parent)
    : QWidget(parent), m_tool(tool) {
    m_start = Button("開始", "start");
    m_stop = Button("終了", "stop");
    m_save = Button("保存", "save");
    m_rate = new CRateButton;
    m_rate->SetRateIndex(tool.RateIndex());
    m_line = new QRadioButton(QStringLiteral("line"));
    m_line->setObjectName(QStringLiteral("line"));
    m_gen = new QRadioButton(QStringLiteral("gen"));
    m_gen->setObjectName(QStringLiteral("gen"));
    m_level = new QSlider(Qt::Horizontal);
    m_level->setObjectName(QStringLiteral("level"));
    m_level->setRange(0, rtpanel::kMaxLevelPos);
    m_level->setInvertedAppearance(true);
    m_channel = new QComboBox;
    m_channel->setObjectName(QStringLiteral("channel"));
    const char* const chNames[] = {"Lchのみ", "Rchのみ", "Both_ch", "Non"};
    for (int i = 0; i < channels && i < 4; ++i) m_channel->addItem(QString::fromUtf8(chNames[i]));
    m_lineOut = new QComboBox;
    m_lineOut->setObjectName(QStringLiteral("lineOut"));
    for (int i = 0; i < lineout::Count; ++i) m_lineOut->addItem(QString::fromUtf8(LineOutName(i)));
    m_gain = Field("gain");
    m_fixed = new QCheckBox(QStringLiteral("固定"));
    m_fixed->setObjectName(QStringLiteral("gainFixed"));
    if (!displays.isEmpty()) {
        m_display = new QComboBox;
        m_display->setObjectName(QStringLiteral("display"));
        m_display->addItems(displays);
    }
    m_top = Field("topLevel");
    m_range = Field("range");
    m_load = new QProgressBar;
    m_load->setObjectName(QStringLiteral("load"));

    auto* source = new QHBoxLayout;
    source->addWidget(m_line);
    source->addWidget(m_gen);
    source->addWidget(m_level, 1);
    auto* gain = MakeSpinRow(m_gain, this, QStringLiteral("gain"), [this](int d) {
        m_tool.SetGain(m_tool.Panel().gainDb + d);
        Refresh();
    });
    gain->addWidget(m_fixed);
    auto* form = new QFormLayout;
    form->addRow(m_rate, source);
    form->addRow(QStringLiteral("ﾌｨﾙﾀｰCH"), m_channel);
    form->addRow(QStringLiteral("ﾗｲﾝｱｳﾄﾓｰﾄﾞ"), m_lineOut);
    form->addRow(QStringLiteral("ｹﾞｲﾝ(dB)"), gain);
    if (m_display) form->addRow(QStringLiteral("表示"), m_display);
    form->addRow(QStringLiteral("最大値(dB)"),
                 MakeSpinRow(m_top, this, QStringLiteral("topLevel"), [this](int d) {
                     m_tool.OnTopLevelSpin(d);
                     Refresh();
                 }));
    form->addRow(QStringLiteral("D_ﾚﾝｼﾞ(dB)"),
                 MakeSpinRow(m_range, this, QStringLiteral("range"), [this](int d) {
                     m_tool.OnRangeSpin(d);
                     Refresh();
                 }));
    QGroupBox* loadBox = MakeLoadBox(m_load);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addWidget(m_save);
    buttons->addWidget(m_stop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(loadBox);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_start, &QPushButton::clicked, this, [this] {
        if (onStart) onStart();
        Refresh();
    });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (onStop) onStop();
    });
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (onSave) onSave();
        Refresh();
    });
    connect(m_rate, &CRateButton::rateChanged, this, [this] {
        m_tool.OnRateIndex(m_rate->RateIndex());
        Refresh();
    });
    connect(m_line, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_bSyncing) m_tool.SetSource(!on);
        Refresh();
    });
    connect(m_level, &QSlider::valueChanged, this, [this](int v) {
        if (!m_bSyncing) m_tool.SetLevel(v);
    });
    connect(m_channel, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_bSyncing) m_tool.SetChannel(i);
        Refresh();
    });
    connect(m_lineOut, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_bSyncing) m_tool.SetLineOut(i);
        Refresh();
    });
    connect(m_fixed, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_bSyncing) m_tool.SetGainFixed(on);
    });
    if (m_display)
        connect(m_display, &QComboBox::currentIndexChanged, this, [this](int i) {
            if (!m_bSyncing && onDisplay) onDisplay(i);
        });

    CRtFilterEngine& engine = m_tool.Engine();
    m_delivery = std::make_unique<CQueuedDelivery>(engine.Queue(), this, [this] { Dispatch(); });
    engine.SetStoppedListener([this] { Refresh(); });
    m_meter = new QTimer(this);
    connect(m_meter, &QTimer::timeout, this, [this] {
        m_load->setValue(m_tool.LoadPercent());
        if (onRefresh) onRefresh();
    });
    m_meter->start(200);
    Refresh();
}

CRtPanelWidget::~CRtPanelWidget() {
    m_delivery.reset();
    m_tool.Engine().SetStoppedListener(nullptr);
}

void CRtPanelWidget::Dispatch() {
    m_tool.Engine().DispatchCompletions();
}

void CRtPanelWidget::Refresh(int display) {
    m_bSyncing = true;
    const RtPanelSettings& p = m_tool.Panel();
    m_rate->SetRateIndex(m_tool.RateIndex());
    m_line->setChecked(!p.generator);
    m_gen->setChecked(p.generator);
    m_level->setValue(p.levelPos);
    m_level->setEnabled(p.generator);
    m_channel->setCurrentIndex(std::min(p.channelIndex, m_channel->count() - 1));
    m_lineOut->setCurrentIndex(p.lineOut);
    m_gain->setText(QString::number(p.gainDb));
    m_fixed->setChecked(p.gainFixed);
    if (m_display && display >= 0) m_display->setCurrentIndex(display);
    m_top->setText(QString::fromStdString(m_tool.TopLevelText()));
    m_range->setText(QString::fromStdString(m_tool.RangeText()));
    m_load->setValue(m_tool.LoadPercent());
    m_bSyncing = false;
}

void CRtPanelWidget::HideStartStopAndRate() {
    m_start->hide();
    m_stop->hide();
    m_rate->hide();
}
