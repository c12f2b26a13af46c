#include "app/dialogs/RemezPanelText.h"

#include <algorithm>
#include <cmath>

QString RemezDesignStatus(const std::vector<double>& taps) {
    if (taps.empty()) return QStringLiteral("ﾀｯﾌﾟ数 = ---");
    double peak = 0.0;
    for (double h : taps) peak = std::max(peak, std::fabs(h));
    return QStringLiteral("ﾀｯﾌﾟ数 = %1   |h|max = %2")
        .arg(taps.size())
        .arg(QString::asprintf("%2.2e", peak));
}
