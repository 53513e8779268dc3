#include "recentfilelist.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char kSection[] = "Recent File List";

QString Normalised(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

void RecentFileList::Load()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    m_files.clear();
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void RecentFileList::Save() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= kSize; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_files.size())
            settings.setValue(key, m_files.at(i - 1));
        else
            settings.remove(key);
    }
}

void RecentFileList::Add(const QString &path)
{
    const QString full = Normalised(path);
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > kSize)
        m_files.removeLast();
}

void RecentFileList::Remove(const QString &path)
{
    m_files.removeAll(path);
    m_files.removeAll(Normalised(path));
}
