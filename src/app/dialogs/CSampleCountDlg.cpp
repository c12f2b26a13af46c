#include "app/dialogs/CSampleCountDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CSampleCountDlg::CSampleCountDlg(int pow, QWidget* parent)
    : QDialog(parent), m_list(new QComboBox(this)) {
    setWindowTitle(QString::fromUtf8("ｻﾝﾌﾟﾙ数の設定"));
    for (int i = 0; i < 9; ++i)
        m_list->addItem(QString::number(1 << (i + 7)) + QString::fromUtf8("点"));
    SetPow(pow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

int CSampleCountDlg::Pow() const {
    return m_list->currentIndex();
}

void CSampleCountDlg::SetPow(int pow) {
    m_list->setCurrentIndex(pow >= 0 && pow < m_list->count() ? pow : 0);
}
