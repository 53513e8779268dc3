#pragma once

// Control ids of "Select Communication System" (dialog 102).
namespace CommSetupId {
enum Id : int
{
    Dialog = 102,
    Open = 1,
    Cancel = 2,
    FirstPort = 1000, // COM 1 .. COM10 are 1000 .. 1009
    Euresys = 1010,
    Matrox = 1011,
    OtherFactory = 1012,
    Baud9600 = 1020,
    Baud115200 = 1021,
    LibraryPath = 1030,
    LibrarySuffix = 1031,
    Browse = 1032,
    GrabberPortLabel = 1033,
    GrabberPort = 1034, // the grabber's serial ports, by identifier
    Search = 1035,
    Rs232cGroup = 1040,
    OpenPortGroup = 1041,
    BaudGroup = 1042,
    BoardGroup = 1043,
    BoardMakerGroup = 1044,
};
} // namespace CommSetupId
