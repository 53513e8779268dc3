#pragma once

#include "camera/registerpage.h"
#include "comm/channelspec.h"

#include <QString>
#include <QStringList>

class CameraData;
class CommandOutput;
class ReplyWatch;

// zqctl's exit statuses.
enum ZqctlExit
{
    Success = 0,
    Usage = 1, // bad usage, or a value or entry refused before sending
    CameraFailure = 2,
    FileFailure = 3,
    NotFinished = 4, // the camera did not finish: detection or factory set
    Differs = 5      // diff found settings that are not the file's
};

// Options that go with some commands only.
enum CommandOption : unsigned
{
    OptJson = 1 << 0,
    OptDigits = 1 << 1,
    OptEeprom = 1 << 2,
    OptDetect = 1 << 3,
    OptThreshold = 1 << 4,
    OptTimeLimit = 1 << 5,
    OptForce = 1 << 6,
    OptAll = 1 << 7,
};
constexpr unsigned kLastCommandOption = OptAll;

// A channel as the user named it ("/dev/ttyUSB0", "com:2", "cl-port:1")
// and what it opens.
struct NamedChannel
{
    QString name;
    ChannelSpec port;
    bool rateGiven = false; // a grabber's port keeps its library's rate without one
};

// What the command line asks of a command, and what its check made of the
// arguments: the same for every camera it runs on.
struct CommandRequest
{
    QStringList args;
    bool json = false;
    bool force = false;
    bool all = false; // diff --all: the read-only rows too
    bool detect = false;
    int threshold = -1;       // white-spots --threshold; -1 leaves it
    int timeLimitMs = 120000; // white-spots --time-limit; 0 waits for ever
    int serialDigits = 0;     // write-serial --digits; 0 follows the camera
    RegisterPage::Mode mode = RegisterPage::Fpga;
    QString library;           // --cl-library
    QList<NamedChannel> named; // scan: the channels named, in the order given
    // Made by the checks.
    int index = 0;
    int value = 0;
    QString payload;
    RegisterPage::Area area = RegisterPage::Tg;
    int page = 0;
    RegisterPage::Row row;
};

// What a command works on: its camera, already connected unless the command
// connects itself, and the output its lines go to.
struct CommandContext
{
    CameraData &camera;
    CommandOutput &out;
    const CommandRequest &request;
    const ChannelSpec &channel;
    ReplyWatch *watch = nullptr;       // on a COM port or device
    // Opens the channel and says why when it would not; Success or the status.
    int (*connect)(CommandContext &context) = nullptr;

    int Connect() { return connect(*this); }
};
