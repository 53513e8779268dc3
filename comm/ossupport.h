#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

class QFile;

// What the program does differently on each system, beyond the serial port
// itself: each answer defined once per system (ossupport_unix.cpp,
// ossupport_win.cpp), so the rest of the program stays one code base.
class OsSupport
{
public:
    // Takes an exclusive lock on an open file for as long as it stays open.
    // False only when another program holds one; a file system that cannot
    // lock lets the file be used anyway.
    static bool LockExclusive(QFile &file);
    // Whether a device name can be looked up as a file before it is opened
    // (on Windows "COM5" is no file: only opening it tells).
    static bool DeviceIsFile();
    // The directory the Camera Link standard names for the grabber makers'
    // serial libraries (CLSERIALPATH), and the file names a library has there.
    static QString CameraLinkDirectory();
    static QStringList LibraryPatterns();
    // The library file dialog's filters, and the one chosen at first (empty:
    // the first).
    static QString LibraryFilter();
    static QString LibrarySelectedFilter();
    // Text on stdout or stderr in full, in any language: on Windows a
    // console gets it as UTF-16, a pipe or file as UTF-8 with "\r\n", and
    // a window program started from a console writes to that console.
    static void Print(std::FILE *stream, const QString &text);
};
