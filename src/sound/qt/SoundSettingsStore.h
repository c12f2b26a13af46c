#pragma once

class CKymoDoc;
class QSettings;

// The sound-card instruments' settings that survive a restart (environment values, offsets,
// measurement conditions) in the program's settings store, group "Sound". Loading applies what
// is stored and valid; anything else keeps the document's value.
void LoadSoundSettings(CKymoDoc& doc, QSettings& settings);
void SaveSoundSettings(const CKymoDoc& doc, QSettings& settings);
