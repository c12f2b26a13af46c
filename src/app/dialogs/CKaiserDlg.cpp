#include "app/dialogs/CKaiserDlg.h"

#include "app/CQtDocumentUi.h"
#include "document/AnalysisMessages.h"
#include "dsp/Window.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kDefaultBeta = 10;
constexpr int kSpinMin = 0;
constexpr int kSpinMax = 20;
} // namespace

CKaiserDlg::CKaiserDlg(int beta, IDocumentUi& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("ｶｲｻﾞｰ窓"));
    m_edit = new QLineEdit(QString::number(beta));
    m_edit->setValidator(new QIntValidator(m_edit));
    m_edit->setObjectName(QStringLiteral("beta"));

    auto* up = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    up->setObjectName(QStringLiteral("spinUp"));
    auto* down = new QToolButton;
    down->setArrowType(Qt::DownArrow);
    down->setObjectName(QStringLiteral("spinDown"));
    connect(up, &QToolButton::clicked, this, [this] { SpinDelta(-1); });
    connect(down, &QToolButton::clicked, this, [this] { SpinDelta(1); });
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(up);
    spin->addWidget(down);

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addLayout(spin);
    row->addWidget(new QLabel(QStringLiteral("β=0～20")));

    auto* group = new QGroupBox(QStringLiteral("β値設定"));
    group->setLayout(row);

    auto* defaults = new QPushButton(QStringLiteral("ﾃﾞﾌｫﾙﾄ値"));
    connect(defaults, &QPushButton::clicked, this, &CKaiserDlg::SetDefault);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(defaults, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKaiserDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CKaiserDlg::Beta() const {
    return m_edit->text().toInt();
}

void CKaiserDlg::SpinDelta(int delta) {
    m_edit->setText(QString::number(std::clamp(Beta() - delta, kSpinMin, kSpinMax)));
}

void CKaiserDlg::SetDefault() {
    m_edit->setText(QString::number(kDefaultBeta));
}

void CKaiserDlg::accept() {
    bool ok = false;
    const double typed = m_edit->text().toDouble(&ok);
    if (ok && !KaiserBetaRepresentable(typed)) {
        m_ui.ShowMessage(msg::kKaiserBetaTooLarge, MessageIcon::Warning);
        m_edit->selectAll();
        m_edit->setFocus();
        return;
    }
    QDialog::accept();
}

std::optional<int> CQtDocumentUi::AskKaiserBeta(int current) {
    CKaiserDlg dlg(current, *this, m_parent);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Beta();
}
