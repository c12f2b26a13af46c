#include "view/PlotFont.h"

#include <QFontDatabase>
#include <QStringList>

QString PlotFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name : {"ＭＳ 明朝", "MS Mincho", "IPAMincho", "IPAexMincho", "IPAGothic",
                                 "Noto Sans CJK JP"}) {
            if (installed.contains(QString::fromUtf8(name))) return QString::fromUtf8(name);
        }
        return QString();
    }();
    return family;
}

QFont MakePlotFont(int pixelHeight) {
    QFont font;
    const QString family = PlotFontFamily();
    if (!family.isEmpty()) font.setFamily(family);
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 12);
    return font;
}
