#pragma once

#include "commandcontext.h"

// Which port has which camera.
class ScanCommand
{
public:
    static int Run(CommandContext &c);
};
