#pragma once

#include "commandcontext.h"

// Every serial port of this computer, with the COM button that reaches it.
class PortsCommand
{
public:
    static int Run(CommandContext &c);
};
