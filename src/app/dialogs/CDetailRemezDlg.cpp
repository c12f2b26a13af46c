#include "app/dialogs/CDetailRemezDlg.h"

#include "app/dialogs/CRateButton.h"
#include "app/dialogs/CRemezBandTable.h"
#include "app/dialogs/RemezPanelText.h"
#include "document/DocumentUi.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

CDetailRemezDlg::CDetailRemezDlg(IDocumentUi& ui, const RemezBandTable& table, int taps,
                                 QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("Remez_Exchange(詳細設定)"));
    m_table = new CRemezBandTable;
    m_table->SetTable(table);
    m_tapsEdit = new QLineEdit(QString::number(taps));
    m_tapsEdit->setObjectName(QStringLiteral("taps"));
    m_rate = new CRateButton;
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    auto* start = new QPushButton(QStringLiteral("開始"));
    start->setObjectName(QStringLiteral("start"));
    auto* stop = new QPushButton(QStringLiteral("終了"));

    auto* tapsRow = new QHBoxLayout;
    tapsRow->addWidget(new QLabel(QStringLiteral("ﾀｯﾌﾟ数")));
    tapsRow->addWidget(m_tapsEdit);
    tapsRow->addWidget(new QLabel(QStringLiteral("個")));
    tapsRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_rate);
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(stop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(tapsRow);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(start, &QPushButton::clicked, this, [this] { Start(); });
    connect(stop, &QPushButton::clicked, this, &CDetailRemezDlg::Stop);
    ShowDesign();
}

RemezBandTable CDetailRemezDlg::Table() const {
    return m_table->Table();
}

int CDetailRemezDlg::TapCount() const {
    return m_tapsEdit->text().toInt();
}

int CDetailRemezDlg::Rate() const {
    return m_rate->Rate();
}

bool CDetailRemezDlg::Start() {
    RemezBandTable table = m_table->Table();
    const int fs = m_rate->Rate();
    const RemezCheck check = ValidateRemezBands(table, fs, true);
    m_table->SetTable(table);
    if (!ShowRemezCheck(m_ui, check)) {
        m_table->FocusField(check.field, check.band);
        return false;
    }
    if (const RemezCheck taps = ValidateRemezTaps(TapCount(), kRemezMaxTaps); !taps.ok) {
        ShowRemezCheck(m_ui, taps);
        m_tapsEdit->selectAll();
        m_tapsEdit->setFocus();
        return false;
    }
    if (DesignRemez(TableRemezBands(table), TapCount(), fs, m_taps) != 1) {
        m_bRunning = false;
        m_taps.clear();
        ShowDesign();
        m_ui.ShowMessage(kRemezNoConvergence, MessageIcon::None);
        return false;
    }
    m_bRunning = true;
    ShowDesign();
    if (onDesigned) onDesigned(m_taps, fs);
    return true;
}

void CDetailRemezDlg::Stop() {
    if (!m_bRunning) m_ui.ShowMessage(kRemezNoDspMessage, MessageIcon::None);
    m_bRunning = false;
    accept();
}

void CDetailRemezDlg::ShowDesign() {
    m_status->setText(RemezDesignStatus(m_taps));
}
