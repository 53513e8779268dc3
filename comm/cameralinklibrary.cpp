#include "cameralinklibrary.h"

#include "ossupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

struct ClState
{
    std::vector<QLibrary *> libraries; // every library loaded, kept loaded
    CameraLinkLibrary::EntryPoints entry;
    void *serialRef = nullptr;
    const void *owner = nullptr; // who opened serialRef
    QString loadError;
};

ClState &state()
{
    // Never destroyed: the libraries stay loaded until the process ends.
    static ClState *s = new ClState;
    return *s;
}

// The rates the interface can name, by their bit in clGetSupportedBaudRates.
constexpr int kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
constexpr int32_t kBufferTooSmall = -10001;

template <typename F> void resolve(QLibrary *library, const char *name, F *function)
{
    *function = reinterpret_cast<F>(library->resolve(name));
}

void resolveAll(QLibrary *library, CameraLinkLibrary::EntryPoints *e)
{
    resolve(library, "clSerialInit", &e->init);
    resolve(library, "clSerialRead", &e->read);
    resolve(library, "clSerialWrite", &e->write);
    resolve(library, "clSerialClose", &e->close);
    resolve(library, "clGetNumSerialPorts", &e->getNumSerialPorts);
    resolve(library, "clGetSerialPortIdentifier", &e->getSerialPortIdentifier);
    resolve(library, "clGetManufacturerInfo", &e->getManufacturerInfo);
    resolve(library, "clSetBaudRate", &e->setBaudRate);
    resolve(library, "clGetSupportedBaudRates", &e->getSupportedBaudRates);
    resolve(library, "clFlushPort", &e->flushPort);
    resolve(library, "clGetNumBytesAvail", &e->getNumBytesAvail);
    resolve(library, "clGetErrorText", &e->getErrorText);
}

// The first of the four a library lacks; empty when it has them all.
QString missingFunction(const CameraLinkLibrary::EntryPoints &e)
{
    return !e.init    ? QStringLiteral("clSerialInit")
           : !e.read  ? QStringLiteral("clSerialRead")
           : !e.write ? QStringLiteral("clSerialWrite")
           : !e.close ? QStringLiteral("clSerialClose")
                      : QString();
}

QString lacksText(const QString &function)
{
    return QCoreApplication::translate("CameraLinkLibrary",
                                       "it is not a Camera Link serial library: it has no %1")
        .arg(function);
}

// Calls a function that fills a text buffer and its size, growing the
// buffer once when the library says it is too small.
template <typename Call> QString askText(Call call)
{
    QByteArray text(256, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto size = uint32_t(text.size());
        const int32_t status = call(text.data(), &size);
        if (status == kBufferTooSmall && size > uint32_t(text.size()) && size < 65536) {
            text = QByteArray(int(size), '\0');
            continue;
        }
        text.truncate(int(qstrnlen(text.constData(), size_t(text.size()))));
        return status == 0 || !text.isEmpty() ? QString::fromLocal8Bit(text).trimmed() : QString();
    }
    return QString();
}

QString versionName(uint32_t version)
{
    static const char *const kNames[] = {"1.0", "1.1", "2.0", "2.1"};
    return version >= 2 && version <= 5 ? QLatin1String(kNames[version - 2])
                                        : QString::number(version);
}

} // namespace

bool CameraLinkLibrary::Install(const EntryPoints &entryPoints)
{
    Close();
    ClState &s = state();
    s.entry = EntryPoints();
    if (!missingFunction(entryPoints).isEmpty())
        return false; // a partial library is never called
    s.entry = entryPoints;
    return true;
}

const CameraLinkLibrary::EntryPoints &CameraLinkLibrary::Functions()
{
    return state().entry;
}

bool CameraLinkLibrary::Load(const QString &path)
{
    Install(EntryPoints()); // forget the previous library's functions
    ClState &s = state();
    // Kept for the life of the program: grabber libraries are not written to
    // be unloaded while their driver may still hold the port.
    auto *library = new QLibrary(path);
    if (!library->load()) {
        // A path to nowhere: the loader would report the last of the names it
        // made from it, which is not the file the user chose.
        const bool named = path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
        s.loadError =
            named && !QFileInfo::exists(path)
                ? QCoreApplication::translate("CameraLinkLibrary", "%1: no such file").arg(path)
                : library->errorString();
        delete library;
        return false;
    }
    s.libraries.push_back(library);
    EntryPoints found;
    resolveAll(library, &found);
    s.loadError = path + QStringLiteral(": ") + lacksText(missingFunction(found));
    if (!Install(found))
        return false;
    s.loadError.clear();
    return true;
}

QString CameraLinkLibrary::LoadError()
{
    return state().loadError;
}

bool CameraLinkLibrary::IsLoaded()
{
    return state().entry.init != nullptr;
}

qint32 CameraLinkLibrary::Init(quint32 serialIndex, const void *owner)
{
    ClState &s = state();
    if (!s.entry.init)
        return -1;
    void *ref = nullptr;
    const qint32 result = s.entry.init(serialIndex, &ref);
    // A failed init must not leave a reference behind that later calls would use.
    s.serialRef = result == 0 ? ref : nullptr;
    s.owner = s.serialRef ? owner : nullptr;
    if (s.serialRef) {
        // Close before the library's own statics are torn down at exit: handlers
        // run in reverse order of registration, and the library set its up first.
        static const bool closeAtExit = std::atexit([] { CameraLinkLibrary::Close(); }) == 0;
        Q_UNUSED(closeAtExit);
    }
    return result;
}

bool CameraLinkLibrary::IsOpen()
{
    return state().serialRef != nullptr;
}

bool CameraLinkLibrary::IsOwnedBy(const void *owner)
{
    const ClState &s = state();
    return s.serialRef != nullptr && s.owner == owner;
}

quint32 CameraLinkLibrary::Read(char *buffer, quint32 count, quint32 timeoutMs, qint32 *status)
{
    ClState &s = state();
    if (!s.serialRef)
        return 0;
    uint32_t size = count;
    const int32_t result = s.entry.read(s.serialRef, buffer, &size, timeoutMs);
    if (status)
        *status = result;
    return size;
}

quint32 CameraLinkLibrary::Write(const char *buffer, quint32 count, quint32 timeoutMs,
                                 qint32 *status)
{
    ClState &s = state();
    if (!s.serialRef)
        return 0;
    // The standard's signature takes a non-const buffer; hand it a copy so a
    // library that scribbles on it cannot touch the caller's frame.
    std::vector<char> copy(buffer, buffer + count);
    uint32_t size = count;
    const int32_t result = s.entry.write(s.serialRef, copy.data(), &size, timeoutMs);
    if (status)
        *status = result;
    return size;
}

void CameraLinkLibrary::Close()
{
    ClState &s = state();
    if (s.serialRef && s.entry.close)
        s.entry.close(s.serialRef);
    s.serialRef = nullptr;
    s.owner = nullptr;
}

QStringList CameraLinkLibrary::PortIdentifiers()
{
    const EntryPoints &e = state().entry;
    uint32_t count = 0;
    if (!e.getNumSerialPorts || e.getNumSerialPorts(&count) != 0 || count == 0)
        return {QString()};
    QStringList ids;
    for (uint32_t i = 0; i < qMin<uint32_t>(count, 64); ++i) {
        ids << (e.getSerialPortIdentifier ? askText([&](char *text, uint32_t *size) {
            return e.getSerialPortIdentifier(i, text, size);
        })
                                          : QString());
    }
    return ids;
}

QList<int> CameraLinkLibrary::SupportedBaudRates()
{
    const ClState &s = state();
    if (!s.entry.setBaudRate)
        return {};
    uint32_t bits = 0;
    if (!s.serialRef || !s.entry.getSupportedBaudRates ||
        s.entry.getSupportedBaudRates(s.serialRef, &bits) != 0)
        bits = 0xFF; // it does not say: offer them all, the library refuses what it cannot
    QList<int> rates;
    for (int i = 0; i < int(std::size(kRates)); ++i) {
        if (bits & (1u << i))
            rates << kRates[i];
    }
    return rates;
}

qint32 CameraLinkLibrary::SetBaudRate(int baud)
{
    const ClState &s = state();
    for (int i = 0; i < int(std::size(kRates)); ++i) {
        if (kRates[i] == baud && s.serialRef && s.entry.setBaudRate)
            return s.entry.setBaudRate(s.serialRef, 1u << i);
    }
    return -10008; // not a rate this library can be given
}

qint32 CameraLinkLibrary::Flush()
{
    const ClState &s = state();
    return s.serialRef && s.entry.flushPort ? s.entry.flushPort(s.serialRef) : 0;
}

qint64 CameraLinkLibrary::BytesAvailable()
{
    const ClState &s = state();
    uint32_t count = 0;
    if (!s.serialRef || !s.entry.getNumBytesAvail || s.entry.getNumBytesAvail(s.serialRef, &count))
        return -1;
    return count;
}

QString CameraLinkLibrary::ErrorText(qint32 status)
{
    const EntryPoints &e = state().entry;
    if (!e.getErrorText || status == 0)
        return QString();
    return askText([&](char *text, uint32_t *size) { return e.getErrorText(status, text, size); });
}

QString CameraLinkLibrary::DescribeStatus(qint32 status)
{
    const QString text = ErrorText(status);
    return text.isEmpty() ? QString::number(status)
                          : QStringLiteral("%1 (%2)").arg(status).arg(text);
}

CameraLinkLibrary::Maker CameraLinkLibrary::Describe(const QString &path)
{
    Maker maker;
    // Not unloaded: the same file may be the library in use.
    QLibrary library(path);
    if (!library.load()) {
        maker.loadError = library.errorString();
        return maker;
    }
    EntryPoints e;
    resolveAll(&library, &e);
    if (!missingFunction(e).isEmpty())
        maker.loadError = lacksText(missingFunction(e));
    if (!e.getManufacturerInfo)
        return maker;
    uint32_t version = 0;
    maker.name = askText(
        [&](char *text, uint32_t *size) { return e.getManufacturerInfo(text, size, &version); });
    if (version)
        maker.version = versionName(version);
    return maker;
}

QString CameraLinkLibrary::LibraryDirectory()
{
    return OsSupport::CameraLinkDirectory();
}

QStringList CameraLinkLibrary::LibrariesInDirectory()
{
    const QString directory = LibraryDirectory();
    if (directory.isEmpty())
        return {};
    const QStringList patterns = OsSupport::LibraryPatterns();
    QStringList files;
    const QDir dir(directory);
    for (const QString &name : dir.entryList(patterns, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}
