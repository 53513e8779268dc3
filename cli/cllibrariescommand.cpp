// zqctl cl-libraries: the Camera Link serial libraries in the directory the
// standard names for them, with what each says of itself.
#include "cllibrariescommand.h"
#include "comm/cameralinklibrary.h"

#include "commandoutput.h"
#include "commandtable.h"

#include <QJsonArray>
#include <QJsonObject>

int ClLibrariesCommand::Run(CommandContext &c)
{
    const QString directory = CameraLinkLibrary::LibraryDirectory();
    if (directory.isEmpty()) {
#ifdef Q_OS_WIN
        c.out.Err(
            QStringLiteral("no CLSERIALPATH under HKEY_LOCAL_MACHINE\\SOFTWARE\\cameralink: no "
                           "grabber library is installed the standard way"));
#else
        c.out.Err(QStringLiteral("CLSERIALPATH is not set: it names the directory of the grabber "
                                 "makers' Camera Link serial libraries"));
#endif
        return FileFailure;
    }
    // One line each: file, maker, interface version ("-" where the library
    // does not say), and why it cannot be used where it cannot.
    QJsonArray libraries;
    for (const QString &path : CameraLinkLibrary::LibrariesInDirectory()) {
        const CameraLinkLibrary::Maker maker = CameraLinkLibrary::Describe(path);
        if (c.request.json) {
            QJsonObject library{{QStringLiteral("file"), path},
                                {QStringLiteral("maker"), maker.name},
                                {QStringLiteral("version"), maker.version}};
            if (!maker.loadError.isEmpty())
                library.insert(QStringLiteral("loadError"), maker.loadError);
            libraries.append(library);
            continue;
        }
        QStringList fields = {path, maker.name.isEmpty() ? QStringLiteral("-") : maker.name,
                              maker.version.isEmpty() ? QStringLiteral("-") : maker.version};
        if (!maker.loadError.isEmpty())
            fields << QStringLiteral("cannot be used: ") + maker.loadError;
        c.out.Out(fields.join(QLatin1Char('\t')));
    }
    if (c.request.json)
        c.out.Json(libraries);
    return Success;
}
