#pragma once

#include "commandcontext.h"

// Raw commands and what the service dialogs do: the manual command, the
// register editor's rows and pages, white-spot detection.
class ServiceCommands
{
public:
    static int CheckPayload(CommandRequest &request, CommandOutput &out);
    static int CheckRegRead(CommandRequest &request, CommandOutput &out);
    static int CheckRegRow(CommandRequest &request, CommandOutput &out);
    static int CheckRegDump(CommandRequest &request, CommandOutput &out);
    static int Send(CommandContext &c);
    static int Query(CommandContext &c);
    static int RegWrite(CommandContext &c);
    static int RegRead(CommandContext &c);
    static int RegDump(CommandContext &c);
    static int RegUnlock(CommandContext &c);
    static int WhiteSpots(CommandContext &c);

private:
    // Runs a detection; *outcome the camera's outcome text when it gave one.
    static int Detect(CommandContext &c, QString *outcome);
};
