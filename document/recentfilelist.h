#pragma once

#include <QStringList>

// The most recently used settings files, most recent first, as kept in the
// settings store under "Recent File List" ("File1".."File4").
class RecentFileList
{
public:
    static constexpr int kSize = 4;

    void Load();
    void Save() const;
    void Add(const QString &path);
    void Remove(const QString &path);
    const QStringList &Files() const { return m_files; }

private:
    QStringList m_files;
};
