// zqctl cl-libraries: the Camera Link serial libraries in the directory the
// standard names for them, with what each says of itself.
#include "comm/cameralinklibrary.h"
#include "zqctl.h"

int Zqctl::ClLibraries(const QStringList &)
{
    const QString directory = CameraLinkLibrary::LibraryDirectory();
    if (directory.isEmpty()) {
#ifdef Q_OS_WIN
        Err(QStringLiteral("no CLSERIALPATH under HKEY_LOCAL_MACHINE\\SOFTWARE\\cameralink: no "
                           "grabber library is installed the standard way"));
#else
        Err(QStringLiteral("CLSERIALPATH is not set: it names the directory of the grabber "
                           "makers' Camera Link serial libraries"));
#endif
        return FileFailure;
    }
    // One line each: file, maker, interface version ("-" where the library
    // does not say), and why it cannot be used where it cannot.
    for (const QString &path : CameraLinkLibrary::LibrariesInDirectory()) {
        const CameraLinkLibrary::Maker maker = CameraLinkLibrary::Describe(path);
        QStringList fields = {path, maker.name.isEmpty() ? QStringLiteral("-") : maker.name,
                              maker.version.isEmpty() ? QStringLiteral("-") : maker.version};
        if (!maker.loadError.isEmpty())
            fields << QStringLiteral("cannot be used: ") + maker.loadError;
        Out(fields.join(QLatin1Char('\t')));
    }
    return Success;
}
