#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {
const char kEnglish[] = "en";

struct Installed
{
    QString language = QString::fromLatin1(kEnglish);
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Installed &TheInstalled()
{
    static Installed installed;
    return installed;
}

// Where the translations are: installed beside the program's share folder,
// or in the build tree next to the program's own folder.
QStringList SearchPath()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin + QStringLiteral("/../share/zqremote/translations"),
            bin + QStringLiteral("/../translations"), bin + QStringLiteral("/translations")};
}

// The first of the folders that has the file.
bool LoadFirst(QTranslator &translator, const QString &file, const QStringList &dirs)
{
    for (const QString &dir : dirs)
        if (translator.load(file, QDir::cleanPath(dir)))
            return true;
    return false;
}

} // namespace

QStringList Language::Available()
{
    return {QString::fromLatin1(kEnglish), QStringLiteral("ja")};
}

QString Language::Choose(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        QString value;
        if (a == QLatin1String("--lang") && i + 1 < arguments.size())
            value = arguments.at(i + 1);
        else if (a.startsWith(QLatin1String("--lang=")))
            value = a.mid(7);
        else
            continue;
        const QString known = Language::Find(value);
        if (!known.isEmpty())
            return known;
    }
    // The first of the user's languages that the program speaks.
    for (const QString &ui : QLocale::system().uiLanguages()) {
        const QString known = Language::Find(ui);
        if (!known.isEmpty())
            return known;
    }
    return QString::fromLatin1(kEnglish);
}

bool Language::Install(const QString &language)
{
    Installed &installed = TheInstalled();
    if (installed.program)
        QCoreApplication::removeTranslator(installed.program.get());
    if (installed.qt)
        QCoreApplication::removeTranslator(installed.qt.get());
    installed.program.reset();
    installed.qt.reset();
    installed.language = QString::fromLatin1(kEnglish);
    if (language == QLatin1String(kEnglish) || Language::Find(language).isEmpty())
        return language == QLatin1String(kEnglish);

    auto program = std::make_unique<QTranslator>();
    if (!LoadFirst(*program, QStringLiteral("zqremote_") + language, SearchPath()))
        return false;
    QCoreApplication::installTranslator(program.get());
    installed.program = std::move(program);
    // Qt's own texts: without them the boxes would answer "Yes" and "No".
    // Where Qt has no translations of its own (the Windows build), they
    // are shipped beside the program's.
    auto qt = std::make_unique<QTranslator>();
    if (LoadFirst(*qt, QStringLiteral("qtbase_") + language,
                  QStringList{QLibraryInfo::path(QLibraryInfo::TranslationsPath)} + SearchPath())) {
        QCoreApplication::installTranslator(qt.get());
        installed.qt = std::move(qt);
    }
    installed.language = language;
    return true;
}

QString Language::Find(const QString &name)
{
    const QString lower = name.trimmed().toLower();
    for (const QString &language : Available()) {
        if (lower == language || lower.startsWith(language + QLatin1Char('_')) ||
            lower.startsWith(language + QLatin1Char('-')) ||
            lower.startsWith(language + QLatin1Char('.')))
            return language;
    }
    return QString();
}

QString Language::Current()
{
    return TheInstalled().language;
}
