#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

QTranslator* InstallQtJapaneseTranslations(QCoreApplication& app) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    translator->setParent(&app); // the application owns it from here on
    QCoreApplication::installTranslator(translator.get());
    return translator.release();
}
