#include "sound/qt/COffsetAdjustDlg.h"

#include "sound/engine/SoundDuplex.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/qt/QueuedDelivery.h"
#include "sound/settings/OffsetAdjuster.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

COffsetAdjustDlg::COffsetAdjustDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : QDialog(parent), m_adjuster(std::make_unique<COffsetAdjuster>(doc, card)) {
    setWindowTitle(QStringLiteral("ｵﾌｾｯﾄ調整"));
    auto* groups = new QHBoxLayout;
    QPushButton** starts[2] = {&m_start8, &m_start16};
    const int widths[2] = {8, 16};
    for (int g = 0; g < 2; ++g) {
        const QString tag = QString::number(widths[g]);
        auto* box = new QGroupBox(tag + QStringLiteral("Bit調整"));
        auto* form = new QFormLayout(box);
        *starts[g] = MakePanelButton(QStringLiteral("自動調整開始"), QStringLiteral("start") + tag);
        form->addRow(*starts[g]);
        for (int ch = 0; ch < 2; ++ch) {
            auto* edit = new QLineEdit;
            edit->setReadOnly(true);
            edit->setObjectName((ch == 0 ? QStringLiteral("left") : QStringLiteral("right")) + tag);
            form->addRow(ch == 0 ? QStringLiteral("L ch") : QStringLiteral("R ch"), edit);
            m_value[g][ch] = edit;
        }
        groups->addWidget(box);
        const int bits = widths[g];
        connect(*starts[g], &QPushButton::clicked, this, [this, bits] { OnStart(bits); });
    }

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, COffsetAdjuster::kProgressMax);
    m_progress->setTextVisible(false);
    m_defaults = MakePanelButton(QStringLiteral("ﾃﾞﾌｫﾙﾄに戻す"), QStringLiteral("defaults"));
    QPushButton* close = MakePanelButton(QStringLiteral("終了"), QStringLiteral("close"));
    connect(m_defaults, &QPushButton::clicked, this, &COffsetAdjustDlg::OnDefaults);
    connect(close, &QPushButton::clicked, this, &COffsetAdjustDlg::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_defaults);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(new QLabel(QStringLiteral("調整進行状況")));
    layout->addWidget(m_progress);
    layout->addWidget(new QLabel(QStringLiteral("(注) 調整値は保存されます。")));
    layout->addLayout(bottom);

    m_delivery = std::make_unique<CQueuedDelivery>(m_adjuster->Engine().Queue(), this, [this] {
        m_adjuster->DispatchCompletions();
        Refresh();
    });
    m_adjuster->Engine().SetStoppedListener([this] { Refresh(); });
    Refresh();
}

COffsetAdjustDlg::~COffsetAdjustDlg() {
    m_delivery.reset();
    m_adjuster->Engine().SetStoppedListener(nullptr);
}

void COffsetAdjustDlg::OnStart(int bits) {
    m_adjuster->OnStart(bits);
    Refresh();
}

void COffsetAdjustDlg::OnDefaults() {
    m_adjuster->OnDefaults();
    Refresh();
}

void COffsetAdjustDlg::accept() {
    m_adjuster->Close();
    QDialog::accept();
}

void COffsetAdjustDlg::reject() {
    m_adjuster->Cancel();
    QDialog::reject();
}

void COffsetAdjustDlg::Refresh() {
    const bool enabled = m_adjuster->ButtonsEnabled();
    m_start8->setEnabled(enabled);
    m_start16->setEnabled(enabled);
    m_defaults->setEnabled(enabled);
    const int widths[2] = {8, 16};
    for (int g = 0; g < 2; ++g)
        for (int ch = 0; ch < 2; ++ch)
            m_value[g][ch]->setText(UiText(m_adjuster->OffsetText(widths[g], ch + 1)));
    m_progress->setValue(m_adjuster->Progress());
}
