// Opens a Camera Link library through the program's global camera, reads a
// value and returns from main() without closing: the channel must still be
// closed before the library's own statics are gone.
#include "camera/paramindex.h"
#include "camera/thecamera.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || theCamera.OpenLibrary(QString::fromLocal8Bit(argv[1])) != 0 ||
        theCamera.ReadParam(Param::ProgrammableShutter) < 0)
        return 1;
    std::printf("%d\n", theCamera.GetValue(Param::ProgrammableShutter));
    return 0;
}
