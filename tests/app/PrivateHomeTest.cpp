#include "AppTestSupport.h"

#include "app/FrameSettings.h"

#include <QDir>
#include <QSettings>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

// The test programs run with a private HOME and settings folder of their own: whatever a test
// stores, the settings of the user who runs them stay untouched.
TEST(PrivateHome, SettingsAreNeverWrittenIntoTheUsersHome) {
    EnsureTestApp();
    const QString home = qEnvironmentVariable("HOME");
    EXPECT_TRUE(home.contains(QStringLiteral("sonalyx-tests-"))) << home.toStdString();
    EXPECT_TRUE(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(home));
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const QString realHome = QDir::cleanPath(QString::fromLocal8Bit(user->pw_dir)) + '/';
    const auto settings = OpenAppSettings();
    EXPECT_FALSE(QDir::cleanPath(settings->fileName()).startsWith(realHome))
        << settings->fileName().toStdString();
    QSettings plain(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ｹﾙﾄﾝｸﾞﾙｰﾌﾟ"),
                    QStringLiteral("Sonalyx"));
    EXPECT_FALSE(QDir::cleanPath(plain.fileName()).startsWith(realHome))
        << plain.fileName().toStdString();
}
