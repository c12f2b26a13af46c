#include "realtime/qt/RtPanelParts.h"

#include "app/dialogs/SpinRow.h"
#include "realtime/DisplayLevels.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

QGroupBox* MakeLoadBox(QProgressBar* bar) {
    bar->setRange(0, 150);
    bar->setTextVisible(false);
    auto* box = new QGroupBox(QStringLiteral("処理能力"));
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* grid = new QGridLayout(box);
    grid->addWidget(bar, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("0")), 1, 0);
    auto* hundred = new QLabel(QStringLiteral("100"));
    hundred->setAlignment(Qt::AlignCenter);
    grid->addWidget(hundred, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(%)")), 1, 2, Qt::AlignRight);
    return box;
}

std::function<void()> AddDisplayLevelRows(QFormLayout* form, CKymoDoc& doc, QWidget* owner) {
    auto* top = new QLineEdit;
    auto* range = new QLineEdit;
    for (QLineEdit* e : {top, range}) {
        e->setMaximumWidth(52);
        e->setAlignment(Qt::AlignRight);
    }
    const auto show = [&doc, top, range] {
        top->setText(QString::fromStdString(DisplayTopText(doc)));
        range->setText(QString::fromStdString(DisplayRangeText(doc)));
    };
    form->addRow(QStringLiteral("最大値(dB)"),
                 MakeSpinRow(top, owner, QStringLiteral("topLevel"), [&doc, show](int d) {
                     StepDisplayTop(doc, d);
                     show();
                 }));
    form->addRow(QStringLiteral("D_ﾚﾝｼﾞ(dB)"),
                 MakeSpinRow(range, owner, QStringLiteral("range"), [&doc, show](int d) {
                     StepDisplayRange(doc, d);
                     show();
                 }));
    show();
    return show;
}
