#pragma once

class QCoreApplication;
class QTranslator;

// Installs Qt's own Japanese translations (qtbase_ja from Qt's translations folder, Debian
// package qt6-translations-l10n) so that the standard dialogs and buttons ("Save As", "Cancel")
// speak the language of the program. Returns the installed translator (owned by `app`), or
// nullptr when the translations are not installed.
QTranslator* InstallQtJapaneseTranslations(QCoreApplication& app);
