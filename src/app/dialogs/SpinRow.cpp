#include "app/dialogs/SpinRow.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

QHBoxLayout* MakeSpinRow(QLineEdit* field, QWidget* owner, const QString& name,
                         const std::function<void(int)>& step) {
    field->setReadOnly(true);
    field->setObjectName(name);
    auto* up = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    up->setObjectName(name + QStringLiteral("Up"));
    auto* down = new QToolButton;
    down->setArrowType(Qt::DownArrow);
    down->setObjectName(name + QStringLiteral("Down"));
    QObject::connect(up, &QToolButton::clicked, owner, [step] { step(1); });
    QObject::connect(down, &QToolButton::clicked, owner, [step] { step(-1); });
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(up);
    spin->addWidget(down);
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addLayout(spin);
    return row;
}
