#include "cameralinkportdriver.h"

#include "cameralinklibrary.h"

#include <QCoreApplication>

namespace {
// Between calls of a library that came back short.
constexpr qint64 kRestMs = 1;
} // namespace

CameraLinkPortDriver::CameraLinkPortDriver(quint32 portIndex) : m_index(portIndex)
{
    m_clock.start();
}

CameraLinkPortDriver::~CameraLinkPortDriver()
{
    Close();
}

bool CameraLinkPortDriver::Load(const QString &library)
{
    return CameraLinkLibrary::Load(library, &m_why);
}

bool CameraLinkPortDriver::Open(const QString &device)
{
    Close();
    m_device = device;
    m_status = 0;
    m_why.clear();
    if (!Load(device))
        return false;
    m_status = CameraLinkLibrary::Init(m_index, &m_port);
    m_identifier = CameraLinkLibrary::PortIdentifiers().value(int(m_index));
    if (IsOpen())
        return true;
    m_why = QCoreApplication::translate("CameraLinkPortDriver", "%1: port %2: %3")
                .arg(device)
                .arg(m_index)
                .arg(CameraLinkLibrary::DescribeStatus(m_status));
    Note("clSerialInit", m_status);
    return false;
}

QString CameraLinkPortDriver::WhyNotOpen(const QString &)
{
    return m_why;
}

bool CameraLinkPortDriver::IsOpen() const
{
    return CameraLinkLibrary::IsOpen(m_port);
}

void CameraLinkPortDriver::Close()
{
    // Only this driver's own port: the others belong to other connections.
    CameraLinkLibrary::Close(m_port);
    m_port = 0;
}

bool CameraLinkPortDriver::Configure(int baud, int, int, int)
{
    if (!IsOpen())
        return false;
    if (baud <= 0)
        return true;
    if (!CameraLinkLibrary::CanSetBaudRate()) {
        m_why = QCoreApplication::translate("CameraLinkPortDriver",
                                            "%1: the library cannot set a baud rate")
                    .arg(m_device);
        m_lineErrors |= CE_MODE;
        return false;
    }
    const qint32 status = CameraLinkLibrary::SetBaudRate(m_port, baud);
    Note("clSetBaudRate", status);
    if (status == 0)
        return true;
    m_why = QCoreApplication::translate("CameraLinkPortDriver", "%1: port %2: %3 baud refused: %4")
                .arg(m_device)
                .arg(m_index)
                .arg(baud)
                .arg(CameraLinkLibrary::DescribeStatus(status));
    m_lineErrors |= CE_MODE;
    return false;
}

qint64 CameraLinkPortDriver::Write(const char *data, qint64 count, qint64 timeoutMs)
{
    if (!IsOpen())
        return -1;
    if (count <= 0)
        return 0;
    qint32 status = 0;
    const quint32 written =
        CameraLinkLibrary::Write(m_port, data, quint32(count), quint32(timeoutMs / count), &status);
    Note("clSerialWrite", status);
    return qMin<qint64>(written, count);
}

qint64 CameraLinkPortDriver::ReadAvailable(char *buffer, qint64 maxCount)
{
    return ReadWaiting(buffer, maxCount, 0);
}

qint64 CameraLinkPortDriver::ReadWaiting(char *buffer, qint64 maxCount, qint64 waitMs)
{
    if (!IsOpen())
        return -1;
    if (maxCount <= 0)
        return 0;
    qint32 status = 0;
    const quint32 got = CameraLinkLibrary::Read(m_port, buffer, quint32(maxCount),
                                                quint32(qMax<qint64>(waitMs, 0)), &status);
    Note("clSerialRead", status);
    // A library that claims more than it was asked for is not trusted.
    if (got > maxCount) {
        AddNote("clSerialRead claimed " + QByteArray::number(got) + " bytes of " +
                QByteArray::number(maxCount));
        return -1;
    }
    return got;
}

bool CameraLinkPortDriver::WaitReadable(qint64 deadlineMs)
{
    const qint64 left = deadlineMs - NowMs();
    if (left <= 0)
        return false;
    // No rest when bytes are waiting; otherwise the read is asked again after
    // a short one, whatever the library says it has: not every library's
    // count is to be relied on.
    if (CameraLinkLibrary::BytesAvailable(m_port) <= 0)
        Pause(qMin(kRestMs, left));
    return true;
}

bool CameraLinkPortDriver::Purge(quint32 purgeFlags)
{
    if (!IsOpen())
        return false;
    // Only input can be stale: a write is done when the library returns.
    if (!(purgeFlags & PURGE_RXCLEAR))
        return true;
    const qint32 status = CameraLinkLibrary::Flush(m_port);
    Note("clFlushPort", status);
    return status == 0;
}

quint32 CameraLinkPortDriver::TakeLineErrors()
{
    const quint32 flags = m_lineErrors;
    m_lineErrors = 0;
    return flags;
}

QList<int> CameraLinkPortDriver::SupportedBaudRates() const
{
    return CameraLinkLibrary::SupportedBaudRates(m_port);
}

qint64 CameraLinkPortDriver::NowMs()
{
    return m_clock.elapsed();
}

QByteArray CameraLinkPortDriver::TakeNote()
{
    QByteArray note;
    note.swap(m_note);
    return note;
}

void CameraLinkPortDriver::Note(const char *function, qint32 status)
{
    if (status != 0)
        m_status = status;
    if (status == m_noted)
        return;
    m_noted = status;
    if (status != 0)
        AddNote(function + QByteArray(" ") +
                CameraLinkLibrary::DescribeStatus(status).toLocal8Bit());
}

void CameraLinkPortDriver::AddNote(const QByteArray &text)
{
    if (!m_note.isEmpty())
        m_note += "; ";
    m_note += text;
}
