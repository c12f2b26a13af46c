#include "app/dialogs/CResonanceChoiceDlg.h"

#include "app/dialogs/CServoOperationDlg.h"
#include "app/dialogs/ServoDialogParts.h"
#include "document/AnalysisMessages.h"
#include "document/DocumentUi.h"
#include "dsp/ServoChecks.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

std::vector<ServoField> ResonanceDetailFields(bool byAcceleration) {
    if (byAcceleration)
        return {{QStringLiteral("加速度感度 (倍)"), 1.0, QStringLiteral("A"), CheckSensitivity},
                {QStringLiteral("該当周波数 (Hz)"), 1000.0, QStringLiteral("fa"),
                 CheckResonanceFrequency},
                {QStringLiteral("比例感度 (倍)"), 1.0, QStringLiteral("K"), CheckSensitivity},
                {QStringLiteral("共振峰 (dB)"), 20.0, QStringLiteral("Q0"), CheckResonancePeak}};
    return {
        {QStringLiteral("共振周波数 (Hz)"), 20.0, QStringLiteral("f0"), CheckResonanceFrequency},
        {QStringLiteral("比例感度 (倍)"), 1.0, QStringLiteral("K"), CheckSensitivity},
        {QStringLiteral("共振峰 (dB)"), 20.0, QStringLiteral("Q0"), CheckResonancePeak}};
}

CResonanceChoiceDlg::CResonanceChoiceDlg(IDocumentUi& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("2次振動系（１）"));
    auto* box = new QGroupBox(QStringLiteral("設定条件の選択"));
    auto* layout = new QVBoxLayout(box);
    m_choice = new QButtonGroup(box);
    m_choice->setExclusive(false);
    const char* names[] = {"共振周波数による", "加速度感度による"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(names[i]));
        b->setObjectName(QStringLiteral("choice%1").arg(i));
        m_choice->addButton(b, i);
        layout->addWidget(b);
    }
    connect(m_choice, &QButtonGroup::idClicked, this, &CResonanceChoiceDlg::Choose);
    auto* main = new QVBoxLayout(this);
    main->addWidget(box);
    main->addWidget(MakeOkCancel(this));
}

void CResonanceChoiceDlg::Choose(int choice) {
    const bool byAcceleration = choice == 1;
    CServoOperationDlg detail(QStringLiteral("2次振動系の設定（２）"),
                              ResonanceDetailFields(byAcceleration), false, QString(), m_ui, this);
    for (QAbstractButton* b : m_choice->buttons()) b->setChecked(false);
    if (detail.exec() != QDialog::Accepted) {
        m_bChosen = false;
        return;
    }
    m_choice->button(choice)->setChecked(true);
    m_bChosen = true;
    m_settings = ResonanceSettings{};
    m_settings.byAcceleration = byAcceleration;
    if (byAcceleration) {
        m_settings.A = detail.Value(0);
        m_settings.fa = detail.Value(1);
        m_settings.K = detail.Value(2);
        m_settings.q0dB = detail.Value(3);
    } else {
        m_settings.f0 = detail.Value(0);
        m_settings.K = detail.Value(1);
        m_settings.q0dB = detail.Value(2);
    }
}

void CResonanceChoiceDlg::accept() {
    if (!m_bChosen) {
        m_ui.ShowMessage(msg::kChooseCondition);
        return;
    }
    QDialog::accept();
}
