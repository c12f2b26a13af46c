#include "app/AppFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

QString JapaneseUiFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* name :
         {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "IPAexGothic", "IPAMincho"}) {
        const QString family = QString::fromUtf8(name);
        if (installed.contains(family)) return family;
    }
    return QString();
}

void ApplyJapaneseUiFont() {
    const QString family = JapaneseUiFamily();
    if (family.isEmpty()) return;
    QFont font = QApplication::font();
    font.setFamily(family);
    QApplication::setFont(font);
}
