#pragma once

#include <QString>
#include <QStringList>

// The language the program speaks: English as written in the tables, or a
// translation shipped beside it. zqctl never installs one, so what scripts
// parse stays English.
class Language
{
public:
    // The languages there are, English first.
    static QStringList Available();
    // The language asked for by "--lang X" or "--lang=X" among the
    // arguments, else the system's (LANGUAGE, LC_ALL, LC_MESSAGES, LANG),
    // else English. An unknown name on the command line counts as not given:
    // the argument check reports it.
    static QString Choose(const QStringList &arguments);
    // Installs the translations of the program and of Qt's own texts (the
    // standard buttons, the file dialog) for the language, replacing those
    // of an earlier call. English installs none. False when the program's
    // translation cannot be loaded; the program then stays English.
    static bool Install(const QString &language);
    static QString Current();
    // The language a name stands for ("ja", "JA", "ja_JP.UTF-8", "ja-JP"),
    // or an empty text for a language the program does not speak.
    static QString Find(const QString &name);
};
