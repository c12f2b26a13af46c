#include "sound/qt/CSigGenDlg.h"

#include "document/CKymoDoc.h"
#include "sound/generator/SigGenPanel.h"
#include "sound/qt/PanelButtonImages.h"
#include "sound/qt/PanelWidgets.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace {
constexpr std::array<const char*, siggen::kSources> kSourceTitles = {"Sin(1)", "Sin(2)", "Sin(3)",
                                                                     "Rect", "Rand"};

QString Named(const char* stem, int source, const char* tail = "") {
    return QStringLiteral("%1%2%3")
        .arg(QString::fromUtf8(stem))
        .arg(source + 1)
        .arg(QString::fromUtf8(tail));
}

QSlider* MakeSlider(const QString& name, int lo, int hi) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setRange(lo, hi);
    slider->setMinimumWidth(120);
    return slider;
}
} // namespace

CSigGenDlg::CSigGenDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CScopeDlg(doc, std::make_unique<CSigGenPanel>(doc, card), QStringLiteral("信号発生器"),
                parent) {
    setObjectName(QStringLiteral("SigGenDlg"));
    Body()->addLayout(BuildSources());
    Body()->addLayout(BuildSettings());
    Refresh();
}

CSigGenPanel& CSigGenDlg::Panel() {
    return static_cast<CSigGenPanel&>(Controls());
}

QLineEdit* CSigGenDlg::ValueBox(const char* name) {
    auto* box = MakePanelField();
    box->setObjectName(QString::fromUtf8(name));
    box->setValidator(new QIntValidator(-100000, 100000, box));
    box->installEventFilter(this);
    connect(box, &QLineEdit::editingFinished, this, [this] {
        if (m_bRefreshing) return;
        TakeTypedValues();
        Refresh();
    });
    return box;
}

QLayout* CSigGenDlg::BuildSources() {
    CSigGenPanel& p = Panel();
    auto* column = new QVBoxLayout;
    for (int s = 0; s < siggen::kSources; ++s) {
        auto* group = new QGroupBox(QString::fromUtf8(kSourceTitles[s]));
        auto* grid = new QGridLayout(group);
        m_gen[s] = MakePictureButton("gen", Named("gen", s).toUtf8().constData());
        m_chansel[s] = MakePictureButton("chansel", Named("chansel", s).toUtf8().constData());
        connect(m_gen[s], &QToolButton::clicked, this, [this, s] {
            TakeTypedValues();
            if (!Panel().OnSourceSwitch(s)) FocusRefusedBox();
            Refresh();
        });
        connect(m_chansel[s], &QToolButton::clicked, this, [this, s] {
            Panel().OnChannelSwap(s);
            Refresh();
        });
        grid->addWidget(m_gen[s], 0, 0);
        grid->addWidget(m_chansel[s], 1, 0);
        const bool tone = s != siggen::kNoise;
        if (tone) {
            m_freqSlider[s] = MakeSlider(Named("freqSlider", s), 0, CSigGenPanel::kSliderSteps);
            connect(m_freqSlider[s], &QSlider::valueChanged, this, [this, s, &p](int position) {
                if (m_bRefreshing) return;
                p.OnFreqSlider(s, position);
                Refresh();
            });
            grid->addWidget(m_freqSlider[s], 0, 1);
        }
        m_levelSlider[s] = MakeSlider(Named("levelSlider", s), -60, 0);
        connect(m_levelSlider[s], &QSlider::valueChanged, this, [this, s, &p](int position) {
            if (m_bRefreshing) return;
            p.OnLevelSlider(s, position);
            Refresh();
        });
        grid->addWidget(m_levelSlider[s], 1, 1);
        for (int pair = 0; pair < 2; ++pair) {
            const char* tail = pair == 0 ? "a" : "b";
            const int col = 2 + 2 * pair;
            if (tone) {
                m_freq[s][pair] = ValueBox(Named("freq", s, tail).toUtf8().constData());
                grid->addWidget(m_freq[s][pair], 0, col);
                grid->addWidget(new QLabel(QStringLiteral("Hz")), 0, col + 1);
            }
            m_level[s][pair] = ValueBox(Named("level", s, tail).toUtf8().constData());
            grid->addWidget(m_level[s][pair], 1, col);
            grid->addWidget(new QLabel(QStringLiteral("dB")), 1, col + 1);
        }
        column->addWidget(group);
    }
    return column;
}

QLayout* CSigGenDlg::BuildSettings() {
    CSigGenPanel& p = Panel();
    auto* settings = new QGroupBox(QStringLiteral("Ch/FS/Bit設定"));
    auto* settingsColumn = new QVBoxLayout(settings);
    m_mode = ActionButton(QString(), "stereoMono", [&p] { p.OnStereoMono(); });
    m_width = ActionButton(QString(), "width", [&p] { p.OnWidth(); });
    settingsColumn->addWidget(m_mode);
    settingsColumn->addWidget(m_width);

    auto* wave = new QGroupBox(QStringLiteral("Wave保存"));
    auto* waveRow = new QHBoxLayout(wave);
    auto* write = MakePanelButton(QStringLiteral("wave"), QStringLiteral("wave"));
    connect(write, &QPushButton::clicked, this, [this] {
        TakeTypedValues();
        if (!Panel().OnWaveSave() && Panel().FocusBox()) FocusRefusedBox();
        Refresh();
    });
    m_seconds = ValueBox("seconds");
    waveRow->addWidget(write);
    waveRow->addWidget(m_seconds);
    waveRow->addWidget(new QLabel(QStringLiteral("秒")));

    auto* column = new QVBoxLayout;
    column->addWidget(settings);
    column->addWidget(wave);
    column->addStretch();
    return column;
}

void CSigGenDlg::TakeTypedValues() {
    CSigGenPanel& p = Panel();
    for (int s = 0; s < siggen::kSources; ++s)
        for (int pair = 0; pair < 2; ++pair) {
            if (m_freq[s][pair]) p.SetFreq(s, pair, m_freq[s][pair]->text().toInt());
            p.SetLevel(s, pair, m_level[s][pair]->text().toInt());
        }
    p.SetRecordSeconds(m_seconds->text().toInt());
}

QLineEdit* CSigGenDlg::Box(const SigGenBox& box) {
    switch (box.what) {
    case SigGenBox::What::Seconds:
        return m_seconds;
    case SigGenBox::What::Freq:
        return m_freq[box.source][box.pair];
    case SigGenBox::What::Level:
        return m_level[box.source][box.pair];
    }
    return nullptr;
}

void CSigGenDlg::FocusRefusedBox() {
    const auto box = Panel().FocusBox();
    QLineEdit* edit = box ? Box(*box) : nullptr;
    if (!edit) return;
    // The check already stopped nothing that runs; the focus only points at the box.
    m_bRefreshing = true;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    m_bRefreshing = false;
}

bool CSigGenDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !m_bRefreshing && qobject_cast<QLineEdit*>(watched)) {
        Panel().OnValueFocus();
        Refresh();
    }
    return CScopeDlg::eventFilter(watched, event);
}

void CSigGenDlg::Refresh() {
    CScopeDlg::Refresh();
    CSigGenPanel& p = Panel();
    m_bRefreshing = true;
    for (int s = 0; s < siggen::kSources; ++s) {
        m_gen[s]->setIcon(PanelButtonImage(QStringLiteral("gen"), p.SourceOn(s)));
        m_chansel[s]->setIcon(
            PanelButtonImage(QStringLiteral("ch⇔"), m_doc.m_sigGen.source[s].swapped != 0));
        if (m_freqSlider[s]) m_freqSlider[s]->setValue(p.FreqSlider(s));
        m_levelSlider[s]->setValue(p.LevelSlider(s));
        for (int pair = 0; pair < 2; ++pair) {
            // A box being typed into keeps its text.
            if (m_freq[s][pair] && !m_freq[s][pair]->hasFocus())
                m_freq[s][pair]->setText(UiText(p.FreqText(s, pair)));
            if (!m_level[s][pair]->hasFocus())
                m_level[s][pair]->setText(UiText(p.LevelText(s, pair)));
        }
    }
    m_mode->setText(UiText(p.ModeText()));
    m_width->setText(UiText(p.WidthText()));
    if (!m_seconds->hasFocus()) m_seconds->setText(UiText(p.SecondsText()));
    m_bRefreshing = false;
}
