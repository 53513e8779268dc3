#pragma once

#include "commandcontext.h"

// The Camera Link serial libraries where the standard keeps them.
class ClLibrariesCommand
{
public:
    static int Run(CommandContext &c);
};
