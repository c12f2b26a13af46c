#pragma once

#include <QString>

class QAction;
class QMenuBar;

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
// Folder for pictures the tests grab.
QString GrabDir();
