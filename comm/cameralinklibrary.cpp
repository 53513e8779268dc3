#include "cameralinklibrary.h"

#include "clserialcodes.h"
#include "ossupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>

#include <cstdlib>
#include <iterator>
#include <map>
#include <vector>

namespace {

struct ClState
{
    std::vector<QLibrary *> libraries; // every library loaded, kept loaded
    CameraLinkLibrary::EntryPoints entry;
    QString loadedPath; // the file entry came from; empty when installed
    std::map<CameraLinkLibrary::Port, void *> open; // the open ports' serial references
    CameraLinkLibrary::Port lastPort = 0;
    QRecursiveMutex mutex; // one call into the library at a time
};

ClState &state()
{
    // Never destroyed: the libraries stay loaded until the process ends.
    static ClState *s = new ClState;
    return *s;
}

using Lock = QMutexLocker<QRecursiveMutex>;

// The serial reference of an open port; null when it is not open.
void *refOf(const ClState &s, CameraLinkLibrary::Port port)
{
    const auto it = s.open.find(port);
    return it == s.open.end() ? nullptr : it->second;
}

void closeAll(ClState &s)
{
    for (const auto &port : s.open) {
        if (s.entry.close)
            s.entry.close(port.second);
    }
    s.open.clear();
}

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
        if (status == ClSerial::CL_ERR_BUFFER_TOO_SMALL && size > uint32_t(text.size()) &&
            size < 65536) {
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
    ClState &s = state();
    const Lock lock(&s.mutex);
    closeAll(s);
    s.entry = EntryPoints();
    s.loadedPath.clear();
    if (!missingFunction(entryPoints).isEmpty())
        return false; // a partial library is never called
    s.entry = entryPoints;
    return true;
}

bool CameraLinkLibrary::CanSetBaudRate()
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    return s.entry.setBaudRate != nullptr;
}

bool CameraLinkLibrary::Load(const QString &path, QString *why)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    QString reason;
    const bool loaded = [&] {
        if (!s.loadedPath.isEmpty() && s.loadedPath == path && s.entry.init)
            return true; // already the library in use
        if (!s.open.empty()) {
            // Another connection's port of the library in use stays open.
            reason = QCoreApplication::translate("CameraLinkLibrary",
                                                 "%1: another Camera Link library is in use (%2)")
                         .arg(path, s.loadedPath.isEmpty() ? QStringLiteral("?") : s.loadedPath);
            return false;
        }
        Install(EntryPoints()); // forget the previous library's functions
        // Kept for the life of the program: grabber libraries are not written to
        // be unloaded while their driver may still hold the port.
        auto *library = new QLibrary(path);
        if (!library->load()) {
            // A path to nowhere: the loader would report the last of the names it
            // made from it, which is not the file the user chose.
            const bool named = path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
            reason =
                named && !QFileInfo::exists(path)
                    ? QCoreApplication::translate("CameraLinkLibrary", "%1: no such file").arg(path)
                    : library->errorString();
            delete library;
            return false;
        }
        s.libraries.push_back(library);
        EntryPoints found;
        resolveAll(library, &found);
        if (!Install(found)) {
            reason = path + QStringLiteral(": ") + lacksText(missingFunction(found));
            return false;
        }
        s.loadedPath = path;
        return true;
    }();
    if (why)
        *why = reason;
    return loaded;
}

bool CameraLinkLibrary::IsLoaded()
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    return s.entry.init != nullptr;
}

qint32 CameraLinkLibrary::Init(quint32 serialIndex, Port *port)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    *port = 0;
    if (!s.entry.init)
        return -1;
    void *ref = nullptr;
    const qint32 result = s.entry.init(serialIndex, &ref);
    // A failed init must not leave a reference behind that later calls would use.
    if (result != 0 || !ref)
        return result;
    *port = ++s.lastPort;
    s.open[*port] = ref;
    // Closed before the library's own statics are torn down at exit: handlers
    // run in reverse order of registration, and the library set its up first.
    static const bool closeAtExit = std::atexit([] {
                                        ClState &s = state();
                                        const Lock lock(&s.mutex);
                                        closeAll(s);
                                    }) == 0;
    Q_UNUSED(closeAtExit);
    return result;
}

bool CameraLinkLibrary::IsOpen()
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    return !s.open.empty();
}

bool CameraLinkLibrary::IsOpen(Port port)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    return refOf(s, port) != nullptr;
}

quint32 CameraLinkLibrary::Read(Port port, char *buffer, quint32 count, quint32 timeoutMs,
                                qint32 *status)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    void *ref = refOf(s, port);
    if (!ref)
        return 0;
    uint32_t size = count;
    const int32_t result = s.entry.read(ref, buffer, &size, timeoutMs);
    if (status)
        *status = result;
    return size;
}

quint32 CameraLinkLibrary::Write(Port port, const char *buffer, quint32 count, quint32 timeoutMs,
                                 qint32 *status)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    void *ref = refOf(s, port);
    if (!ref)
        return 0;
    // The standard's signature takes a non-const buffer; hand it a copy so a
    // library that scribbles on it cannot touch the caller's frame.
    std::vector<char> copy(buffer, buffer + count);
    uint32_t size = count;
    const int32_t result = s.entry.write(ref, copy.data(), &size, timeoutMs);
    if (status)
        *status = result;
    return size;
}

void CameraLinkLibrary::Close(Port port)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    void *ref = refOf(s, port);
    if (!ref)
        return;
    s.open.erase(port);
    if (s.entry.close)
        s.entry.close(ref);
}

QStringList CameraLinkLibrary::PortIdentifiers()
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    const EntryPoints &e = s.entry;
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

QList<int> CameraLinkLibrary::SupportedBaudRates(Port port)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    if (!s.entry.setBaudRate)
        return {};
    void *ref = refOf(s, port);
    uint32_t bits = 0;
    if (!ref || !s.entry.getSupportedBaudRates || s.entry.getSupportedBaudRates(ref, &bits) != 0)
        bits = ClSerial::kAllRateBits; // it does not say: offer them all, the library refuses
                                       // what it cannot
    QList<int> rates;
    for (int i = 0; i < ClSerial::kRateCount; ++i) {
        if (bits & (1u << i))
            rates << int(ClSerial::kRates[i]);
    }
    return rates;
}

qint32 CameraLinkLibrary::SetBaudRate(Port port, int baud)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    void *ref = refOf(s, port);
    const uint32_t bit = ClSerial::RateBit(baud);
    if (bit && ref && s.entry.setBaudRate)
        return s.entry.setBaudRate(ref, bit);
    return ClSerial::CL_ERR_BAUD_RATE_NOT_SUPPORTED; // not a rate this library can be given
}

qint32 CameraLinkLibrary::Flush(Port port)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    void *ref = refOf(s, port);
    return ref && s.entry.flushPort ? s.entry.flushPort(ref) : 0;
}

qint64 CameraLinkLibrary::BytesAvailable(Port port)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    void *ref = refOf(s, port);
    uint32_t count = 0;
    if (!ref || !s.entry.getNumBytesAvail || s.entry.getNumBytesAvail(ref, &count))
        return -1;
    return count;
}

QString CameraLinkLibrary::ErrorText(qint32 status)
{
    ClState &s = state();
    const Lock lock(&s.mutex);
    const EntryPoints &e = s.entry;
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
    // Its functions too are called one at a time: it may be the one in use.
    const Lock lock(&state().mutex);
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
