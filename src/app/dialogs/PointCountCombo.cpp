#include "app/dialogs/PointCountCombo.h"

#include "document/DocumentLimits.h"

#include <QComboBox>

QComboBox* MakePointCountCombo(int pow) {
    auto* combo = new QComboBox;
    for (int p = limits::kMinPow; p <= limits::kMaxPow; ++p)
        combo->addItem(QString::number(PointsForPow(p)) + QStringLiteral("点"));
    combo->setCurrentIndex(pow);
    combo->setObjectName(QStringLiteral("points"));
    return combo;
}
