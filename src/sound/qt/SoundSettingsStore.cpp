#include "sound/qt/SoundSettingsStore.h"

#include "sound/settings/StoredSoundSettings.h"

#include <QSettings>

namespace {
QString Key(const std::string& name) {
    return QStringLiteral("Sound/") + QString::fromStdString(name);
}
} // namespace

void LoadSoundSettings(CKymoDoc& doc, QSettings& settings) {
    std::vector<StoredSetting> values;
    for (const StoredSetting& s : CaptureSoundSettings(doc)) {
        const QVariant v = settings.value(Key(s.key));
        bool ok = false;
        const double value = v.toDouble(&ok);
        if (v.isValid() && ok) values.push_back({s.key, value});
    }
    ApplySoundSettings(doc, values);
}

void SaveSoundSettings(const CKymoDoc& doc, QSettings& settings) {
    for (const StoredSetting& s : CaptureSoundSettings(doc)) settings.setValue(Key(s.key), s.value);
}
