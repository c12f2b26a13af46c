#include "app/dialogs/CAnalysisSetupDlg.h"

#include "app/dialogs/PointCountCombo.h"
#include "document/AnalysisMessages.h"
#include "document/DocumentUi.h"
#include "dsp/WindowKinds.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kNoWindowEntry = 5;
} // namespace

CAnalysisSetupDlg::CAnalysisSetupDlg(int pow, int windowType, int rate, IDocumentUi& ui,
                                     QWidget* parent)
    : QDialog(parent), m_ui(ui), m_nRate(rate) {
    setWindowTitle(QStringLiteral("測定条件の設定"));
    m_points = MakePointCountCombo(pow);
    m_window = new QComboBox;
    m_window->setObjectName(QStringLiteral("window"));
    for (const char* name : {"ﾄﾗｲｱﾝｸﾞﾙ", "ﾊﾆﾝｸﾞ", "ﾊﾐﾝｸﾞ", "ﾌﾞﾗｯｸﾏﾝ", "ｶｲｻﾞｰ", "窓なし"})
        m_window->addItem(QString::fromUtf8(name));
    m_window->setCurrentIndex(
        windowType >= wnd::Triangle && windowType <= wnd::Kaiser ? windowType - 1 : kNoWindowEntry);

    m_top = new QLineEdit(TopFrequencyText());
    m_top->setReadOnly(true);
    m_top->setObjectName(QStringLiteral("topFrequency"));
    auto* up = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    up->setObjectName(QStringLiteral("spinUp"));
    auto* down = new QToolButton;
    down->setArrowType(Qt::DownArrow);
    down->setObjectName(QStringLiteral("spinDown"));
    connect(up, &QToolButton::clicked, this, [this] { StepDown(1); });
    connect(down, &QToolButton::clicked, this, [this] { StepDown(-1); });
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(up);
    spin->addWidget(down);
    auto* downRow = new QHBoxLayout;
    downRow->addWidget(m_top);
    downRow->addLayout(spin);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾙ点数"), m_points);
    form->addRow(QStringLiteral("窓関数の設定"), m_window);
    form->addRow(QStringLiteral("ﾀﾞｳﾝｻﾝﾌﾟﾙ"), downRow);
    form->addRow(buttons);
}

AnalysisSetup CAnalysisSetupDlg::Setup() const {
    AnalysisSetup s;
    s.pow = m_points->currentIndex();
    const int w = m_window->currentIndex();
    s.windowType = w == kNoWindowEntry ? wnd::None : w + 1;
    s.downExp = m_nDownExp;
    return s;
}

void CAnalysisSetupDlg::StepDown(int delta) {
    const int next = m_nDownExp + delta;
    if (next > 0 || next < -6) return;
    if (!DownSampleStepAllowed(next, m_nRate)) {
        m_ui.ShowMessage(msg::kDownSampleLimit);
        return;
    }
    m_nDownExp = next;
    m_top->setText(TopFrequencyText());
}

QString CAnalysisSetupDlg::TopFrequencyText() const {
    return QString::fromStdString(DownSampleText(m_nDownExp, m_nRate));
}
