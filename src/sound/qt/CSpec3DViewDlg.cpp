#include "sound/qt/CSpec3DViewDlg.h"

#include "app/dialogs/SpinRow.h"
#include "sound/qt/PanelWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

QLineEdit* ViewField() {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(56);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

CSpec3DViewDlg::CSpec3DViewDlg(CKymoDoc& doc, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_control(doc),
      m_topLevel(ViewField()), m_dynamicRange(ViewField()), m_theta(ViewField()),
      m_phi(ViewField()) {
    setWindowTitle(QStringLiteral("3Dｽﾍﾟｸﾄﾙ操作"));
    setObjectName(QStringLiteral("Spec3DViewDlg"));
    auto spin = [this](QLineEdit* field, const char* name, std::function<void(int)> step) {
        return MakeSpinRow(field, this, QString::fromUtf8(name), [this, step](int d) {
            step(d);
            Refresh();
        });
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("最大値(dB)"),
                 spin(m_topLevel, "topLevel", [this](int d) { m_control.OnTopLevelSpin(d); }));
    form->addRow(QStringLiteral("D_ﾚﾝｼﾞ(dB)"), spin(m_dynamicRange, "dynamicRange", [this](int d) {
                     m_control.OnDynamicRangeSpin(d);
                 }));
    form->addRow(QStringLiteral("水平角(θ)"),
                 spin(m_theta, "theta", [this](int d) { m_control.OnThetaSpin(d); }));
    form->addRow(QStringLiteral("垂直角(φ)"),
                 spin(m_phi, "phi", [this](int d) { m_control.OnPhiSpin(d); }));

    m_log = MakePanelButton(QStringLiteral("LOGLIN"), QStringLiteral("loglin"));
    m_linear = MakePanelButton(QStringLiteral("LINLOG"), QStringLiteral("linlog"));
    QPushButton* off = MakePanelButton(QStringLiteral("D3OFF"), QStringLiteral("d3off"));
    auto* axis = new QHBoxLayout;
    axis->addWidget(m_log);
    axis->addWidget(m_linear);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(axis);
    layout->addWidget(off);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_log, &QPushButton::clicked, this, [this] {
        m_control.OnLogAxis();
        Refresh();
    });
    connect(m_linear, &QPushButton::clicked, this, [this] {
        m_control.OnLinearAxis();
        Refresh();
    });
    connect(off, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

void CSpec3DViewDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.right() - width() - 16, frame.top() + 90);
    }
}

void CSpec3DViewDlg::Refresh() {
    m_topLevel->setText(UiText(m_control.TopLevelText()));
    m_dynamicRange->setText(UiText(m_control.DynamicRangeText()));
    m_theta->setText(UiText(m_control.ThetaText()));
    m_phi->setText(UiText(m_control.PhiText()));
    m_log->setEnabled(m_control.LogEnabled());
    m_linear->setEnabled(m_control.LinearEnabled());
}
