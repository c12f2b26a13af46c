#include "app/dialogs/CRemezSettingDlg.h"

#include "app/dialogs/CRemezBandTable.h"
#include "document/DocumentUi.h"
#include "filters/RemezBiquadFileFilter.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CRemezSettingDlg::CRemezSettingDlg(IDocumentUi& ui, const RemezBandTable& table, int taps, int fs,
                                   QWidget* parent)
    : QDialog(parent), m_ui(ui), m_fs(fs) {
    setWindowTitle(QStringLiteral("FIRﾌｨﾙﾀｰの設定(Remez)"));
    m_table = new CRemezBandTable;
    m_table->SetTable(table);
    auto* bands = new QGroupBox(QStringLiteral("ﾊﾞﾝﾄﾞの設定"));
    auto* bandsLayout = new QVBoxLayout(bands);
    bandsLayout->addWidget(m_table);

    m_tapsEdit = new QLineEdit(QString::number(taps));
    m_tapsEdit->setObjectName(QStringLiteral("taps"));
    auto* tapsRow = new QHBoxLayout;
    tapsRow->addWidget(new QLabel(QStringLiteral("ﾀｯﾌﾟ数")));
    tapsRow->addWidget(m_tapsEdit);
    tapsRow->addWidget(new QLabel(QStringLiteral("個")));
    tapsRow->addStretch();
    tapsRow->addWidget(new QLabel(QStringLiteral("Fs=%1Hz").arg(fs)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CRemezSettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bands);
    layout->addLayout(tapsRow);
    layout->addWidget(buttons);
}

RemezBandTable CRemezSettingDlg::Table() const {
    return m_table->Table();
}

int CRemezSettingDlg::TapCount() const {
    return m_tapsEdit->text().toInt();
}

bool CRemezSettingDlg::Apply() {
    RemezBandTable table = m_table->Table();
    RemezCheck failed;
    const int ok = CheckAndDesignRemez(m_ui, table, TapCount(), m_fs, m_taps, &failed);
    m_table->SetTable(table); // shows the corrected outer edges
    if (ok) return true;
    if (failed.field == RemezField::Taps) {
        m_tapsEdit->selectAll();
        m_tapsEdit->setFocus();
    } else {
        m_table->FocusField(failed.field, failed.band);
    }
    return false;
}

void CRemezSettingDlg::accept() {
    if (Apply()) QDialog::accept();
}
