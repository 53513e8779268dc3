#pragma once

#include "camera/settingsfile.h"
#include "commandcontext.h"

class CameraModel;

// The commands on the parameters and settings files.
class ParamCommands
{
public:
    static int CheckIndex(CommandRequest &request, CommandOutput &out);
    static int CheckSet(CommandRequest &request, CommandOutput &out);
    static int Params(CommandContext &c);
    static int ReadAll(CommandContext &c);
    static int Get(CommandContext &c);
    static int Set(CommandContext &c);
    static int Info(CommandContext &c);
    static int Save(CommandContext &c);
    static int Load(CommandContext &c);
    static int FactorySet(CommandContext &c);
    static int WriteSerial(CommandContext &c);

    // Every value the camera holds, as read-all prints them.
    static int PrintValues(CommandContext &c);
    // Reads a settings file as load checks it; Success, or the exit status
    // after saying why it was refused. sending: load and apply, not diff.
    static int ReadSettings(const QString &path, SettingsFile::Values *values, CommandOutput &out,
                            bool sending = true);
    // What the connected camera's model allows (reads its name and version).
    static int ReadModel(CameraData &camera, CameraModel *model);
};
