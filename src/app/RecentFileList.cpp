#include "app/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace {
QString Key(int i) {
    return QStringLiteral("Recent File List/File%1").arg(i + 1);
}
} // namespace

void CRecentFileList::Load(QSettings& settings) {
    m_files.clear();
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path)) m_files << path;
    }
}

void CRecentFileList::Save(QSettings& settings) const {
    for (int i = 0; i < kSize; ++i) {
        if (i < m_files.size())
            settings.setValue(Key(i), m_files.at(i));
        else
            settings.remove(Key(i));
    }
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kSize) m_files.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < m_files.size()) m_files.removeAt(index);
}
