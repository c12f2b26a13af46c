#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CMainFrame;
class QAction;
class QImage;
class QMenuBar;
class QWidget;

// Creates the QApplication of the app tests once (offscreen, Japanese UI font, banner off) and
// points the settings store at a private temporary directory.
void EnsureTestApp();
// Removes every stored setting of the program.
void ClearAppSettings();
// Writes a stereo (or mono) 16-bit sine WAV of `frames` frames into the temporary directory.
QString WriteTestWav(const QString& name, int channels, int frames = 8192);
// Every action reachable from the menu bar, submenus included, whose text is `text` and whose
// command id is `id`; nullptr when there is none.
QAction* FindMenuAction(QMenuBar& bar, int id, const QString& text);
// A private temporary folder for files the tests write (removed when the tests end).
QString GrabDir();
// Stores the sound-card choice of the program ("Sound/Device", "Sound/Dut") in the test settings.
void StoreSoundDevice(const QString& device, const QString& dut);
// Lets the event loop run until `done` returns true or a generous deadline passed; the value of
// `done` at the end.
bool RunEventsUntil(const std::function<bool()>& done);
// The visible controls of `dialog` (labels, buttons, lists, edits, sliders, bars) that are
// narrower or lower than their minimum size hint, stick out of the dialog or overlap another
// control: one line each, empty when every control fits.
QStringList MisplacedControls(QWidget* dialog);

// A failure of the test: `widget` is not the dialog the test expected.
void ReportWrongDialog(QWidget* widget);
// Clicks the button named `name` of `dialog`; a failure of the test when it is missing or
// disabled.
void ClickButton(QWidget* dialog, const char* name);
// Whether the button named `name` exists and is enabled.
bool ButtonEnabled(QWidget* dialog, const char* name);
// The text of the line edit named `name`, "<missing>" without one.
QString EditText(QWidget* dialog, const char* name);
// Saves a picture of `widget` as `file` in GrabDir().
void GrabTo(QWidget* widget, const char* file);

// Runs `command` on `frame`; `drive` works the modal dialog the command opens and the dialog is
// rejected afterwards when still open. A failure of the test when no modal dialog came up or
// it is not a `Dialog`.
void RunModalCommand(CMainFrame& frame, int command, const std::function<void(QWidget*)>& drive);
template <class Dialog>
void RunModalCommand(CMainFrame& frame, int command, const std::function<void(Dialog*)>& drive) {
    RunModalCommand(frame, command, [&drive](QWidget* widget) {
        if (auto* dialog = qobject_cast<Dialog*>(widget))
            drive(dialog);
        else
            ReportWrongDialog(widget);
    });
}
// Saves a picture as NAME.png into $SONALYX_VIEW_GALLERY when that variable is set, so that the
// dialogs and views can be looked at; nothing otherwise.
void SaveImageToGallery(const QImage& image, const char* name);
void SaveGrabToGallery(QWidget& widget, const char* name);
