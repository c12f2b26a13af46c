#include "AppTestSupport.h"

#include "app/AppFont.h"
#include "app/CStartupBanner.h"
#include "app/FrameSettings.h"
#include "support/WavBuilder.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>

namespace {
QTemporaryDir& TestDir() {
    static QTemporaryDir dir;
    return dir;
}

QAction* FindIn(const QList<QAction*>& actions, int id, const QString& text) {
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindIn(sub->actions(), id, text)) return found;
        } else if (action->data().toInt() == id && action->text() == text) {
            return action;
        }
    }
    return nullptr;
}
} // namespace

void EnsureTestApp() {
    if (qApp) return;
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       TestDir().filePath(QStringLiteral("config")));
    new QApplication(argc, argv);
    ApplyJapaneseUiFont();
    CStartupBanner::EnableBanner(false);
}

void ClearAppSettings() {
    OpenAppSettings()->clear();
}

QString WriteTestWav(const QString& name, int channels, int frames) {
    WavFormat format;
    format.channels = channels;
    const auto bytes = BuildWav(format, SineSamples(frames, channels, 8000.0, 1.0 / 64.0));
    const QString path = TestDir().filePath(name);
    TempDir::WriteFile(path.toStdString(), bytes);
    return path;
}

QAction* FindMenuAction(QMenuBar& bar, int id, const QString& text) {
    return FindIn(bar.actions(), id, text);
}

QString GrabDir() {
    const QString dir = QDir::temp().filePath(QStringLiteral("sonalyx-app-grabs"));
    QDir().mkpath(dir);
    return dir;
}

void StoreSoundDevice(const QString& device, const QString& dut) {
    const auto settings = OpenAppSettings();
    settings->setValue(QStringLiteral("Sound/Device"), device);
    settings->setValue(QStringLiteral("Sound/Dut"), dut);
    settings->sync();
}

bool RunEventsUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
