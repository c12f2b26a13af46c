#include "app/dialogs/CFilterConfirmDlg.h"

#include "app/CQtDocumentUi.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CFilterConfirmDlg::CFilterConfirmDlg(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    for (const QString& line : text.split(QLatin1Char('\n'))) layout->addWidget(new QLabel(line));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool CQtDocumentUi::AskOkCancel(const std::string& title, const std::string& text) {
    CFilterConfirmDlg dlg(QString::fromStdString(title), QString::fromStdString(text), m_parent);
    return dlg.exec() == QDialog::Accepted;
}
