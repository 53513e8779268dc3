#pragma once

#include <QString>

// Which serial channel a connection uses, as a value: made by the setup
// dialog, zqctl's options and --devices lines, and the camera search, and
// turned into a port driver in one place (SerialLink).
struct ChannelSpec
{
    enum class Kind
    {
        ComPort,    // "COM n": the device the port map puts behind button n
        Device,     // a serial device by its name, behind no button
        CameraLink, // port clPort of a grabber's Camera Link serial library
    };

    Kind kind = Kind::ComPort;
    int comNumber = 1;   // ComPort
    QString device;      // Device
    QString library;     // CameraLink: a file, or a bare name such as "clseremc.dll"
    int clPort = 0;      // CameraLink
    int baudRate = 9600; // for CameraLink 0 leaves the port's own rate

    // The rates the camera talks at, the slower first: the order the
    // search tries them in and the setup dialog's buttons.
    static constexpr int kCameraRates[] = {9600, 115200};
    // Whether text names one of them exactly ("9600", not "09600").
    static bool IsCameraRate(const QString &text);
    // "9600 or 115200", for the messages that refuse another rate.
    static QString CameraRatesText();

    static ChannelSpec Com(int number, int baudRate = 9600);
    static ChannelSpec ForDevice(const QString &device, int baudRate = 9600);
    static ChannelSpec ForLibrary(const QString &library, int port = 0, int baudRate = 0);

    bool IsCameraLink() const { return kind == Kind::CameraLink; }
    // What the user knows the channel by: "COM3", "/dev/ttyUSB0",
    // "clseremc.dll, port 2".
    QString Name() const;

    bool operator==(const ChannelSpec &other) const;
    bool operator!=(const ChannelSpec &other) const { return !(*this == other); }
};
