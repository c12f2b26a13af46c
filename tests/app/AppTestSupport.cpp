#include "AppTestSupport.h"

#include "app/AppFont.h"
#include "app/CMainFrame.h"
#include "app/CStartupBanner.h"
#include "app/FrameSettings.h"
#include "support/WavBuilder.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

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
    return TestDir().path();
}

void SaveImageToGallery(const QImage& image, const char* name) {
    const QByteArray dir = qgetenv("SONALYX_VIEW_GALLERY");
    if (dir.isEmpty()) return;
    QString file = QString::fromUtf8(name);
    if (!file.endsWith(QStringLiteral(".png"))) file += QStringLiteral(".png");
    image.save(QDir(QString::fromLocal8Bit(dir)).filePath(file), "PNG");
}

void SaveGrabToGallery(QWidget& widget, const char* name) {
    if (qEnvironmentVariableIsEmpty("SONALYX_VIEW_GALLERY")) return;
    SaveImageToGallery(widget.grab().toImage(), name);
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

namespace {

bool IsControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QProgressBar*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

QString Describe(const QWidget* w) {
    QString text;
    if (const auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    return QStringLiteral("%1 '%2' '%3'")
        .arg(QString::fromUtf8(w->metaObject()->className()), w->objectName(), text);
}

} // namespace

QStringList MisplacedControls(QWidget* dialog) {
    QStringList problems;
    QList<QWidget*> controls;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dialog) || !IsControl(w)) continue;
        // Parts of a control (the edit of a combo box, the buttons of a scroll bar) belong to it.
        bool inner = false;
        for (QWidget* p = w->parentWidget(); p && p != dialog; p = p->parentWidget())
            inner = inner || IsControl(p) || qobject_cast<const QAbstractScrollArea*>(p);
        if (!inner) controls.append(w);
    }
    const QRect area = dialog->rect();
    QList<QRect> rects;
    for (QWidget* w : controls) {
        const QRect r(w->mapTo(dialog, QPoint(0, 0)), w->size());
        rects.append(r);
        const QSize hint = w->minimumSizeHint();
        if (r.width() < hint.width() || r.height() < hint.height())
            problems << QStringLiteral("clipped %1: %2x%3 < %4x%5")
                            .arg(Describe(w))
                            .arg(r.width())
                            .arg(r.height())
                            .arg(hint.width())
                            .arg(hint.height());
        if (!area.contains(r))
            problems << QStringLiteral("outside the dialog: %1").arg(Describe(w));
    }
    for (int i = 0; i < rects.size(); ++i)
        for (int j = i + 1; j < rects.size(); ++j)
            if (rects[i].intersects(rects[j]))
                problems << QStringLiteral("overlap: %1 and %2")
                                .arg(Describe(controls[i]), Describe(controls[j]));
    return problems;
}

void ReportWrongDialog(QWidget* widget) {
    ADD_FAILURE() << "unexpected modal widget "
                  << (widget ? widget->metaObject()->className() : "(none)");
}

void ClickButton(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

bool ButtonEnabled(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromUtf8(name));
    return button && button->isEnabled();
}

QString EditText(QWidget* dialog, const char* name) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromUtf8(name));
    return edit ? edit->text() : QStringLiteral("<missing>");
}

void GrabTo(QWidget* widget, const char* file) {
    widget->grab().save(QDir(GrabDir()).filePath(QString::fromUtf8(file)));
}

void RunModalCommand(CMainFrame& frame, int command, const std::function<void(QWidget*)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        driven = true;
        drive(dialog);
        auto* modal = qobject_cast<QDialog*>(dialog);
        if (modal && modal->isVisible()) modal->reject();
    });
    frame.OnCommand(command);
    ASSERT_TRUE(driven);
}
