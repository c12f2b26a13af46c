#include "AppTestSupport.h"

#include "app/QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

// Qt's standard buttons follow the program's language once its translations are installed.
TEST(QtTranslations, StandardButtonsSpeakJapanese) {
    EnsureTestApp();
    QTranslator* translator = InstallQtJapaneseTranslations(*qApp);
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translations (qt6-translations-l10n)";
    QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("保存"));
    QCoreApplication::removeTranslator(translator);
    translator->deleteLater();
}
