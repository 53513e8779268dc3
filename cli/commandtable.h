#pragma once

#include "commandcontext.h"

#include <QString>
#include <QStringList>

class CommandOutput;

// zqctl's commands, each written here once: its usage, what it needs, the
// unit that carries it out, and its help; the usage messages, --help and the
// man page are made from them.
class CommandTable
{
public:
    struct Row
    {
        const char *name;
        const char *arguments; // as the usage shows them
        int minArgs;
        int maxArgs;
        unsigned options;
        bool offline;         // needs no camera, or opens the port itself
        bool severalChannels; // runs on every camera of a line at once
        // Checks the arguments before any port is opened; may be null.
        int (*check)(CommandRequest &request, CommandOutput &out);
        int (*run)(CommandContext &context);
        const char *section; // the heading the help lists it under
        const char *help;    // what it does, then an example, one line each
    };

    static const Row *Find(const QString &name);
    static QStringList Names();
    static QStringList SeveralChannelNames();
    // Those that take an option, for "--all goes with diff only".
    static QStringList NamesWith(CommandOption option);
    // "--digits 7|8"
    static QString OptionUsage(CommandOption option);
    // "set PARAM VALUE [--force]"
    static QString UsageLine(const Row &row);
    // The --help text.
    static QString HelpText();
    static const char kShortUsage[];
    // The message and the short usage on stderr; returns Usage.
    static int UsageError(CommandOutput &out, const QString &message);
};
