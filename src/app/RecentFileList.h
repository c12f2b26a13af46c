#pragma once

#include <QStringList>

class QSettings;

// The four-entry most-recently-used file list, most recent first, kept in the settings store
// under "Recent File List"/"File1".."File4".
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // Puts `path` (made absolute) first, dropping an older entry of the same file and the
    // fifth entry.
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Files() const { return m_files; }

private:
    QStringList m_files;
};
