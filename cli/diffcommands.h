#pragma once

#include "commandcontext.h"

#include <QList>

// The camera, or a second file, against a settings file.
class DiffCommands
{
public:
    static int Diff(CommandContext &c);
    // Load, read back, compare: the rows the camera refused or changed.
    static int Apply(CommandContext &c);

private:
    // diff's comparison; after apply, also of the rows the camera refused.
    static int Compare(CommandContext &c, bool applied, const QList<int> &refused);
};
