#include "ptyserver.h"

#include "simcamera.h"
#include "simlog.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Signals reach the poll loop through a pipe, so nothing but write() runs in
// the handler.
int g_signalPipe[2] = {-1, -1};

void onSignal(int signo)
{
    const int saved = errno;
    const char byte = char(signo);
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

bool installSignals()
{
    if (::pipe(g_signalPipe) != 0)
        return false;
    for (int fd : g_signalPipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signo : {SIGTERM, SIGINT, SIGUSR1})
        ::sigaction(signo, &action, nullptr);
    return true;
}

long long nowNs()
{
    timespec t = {};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

void sleepUntilNs(long long at)
{
    const timespec t = {time_t(at / 1'000'000'000LL), long(at % 1'000'000'000LL)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

void writeAll(int fd, const QByteArray &bytes)
{
    // The master is non-blocking: with no client reading, a full terminal
    // queue drops the answer instead of hanging the camera.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return;
    }
}

// Lets the last exchange before the line dies finish on the client's side:
// a hang-up flushes the terminal's queue, so the client must have read the
// answer first, and the ACK that closes a reply must not meet a closed line.
// Both waits are bounded; whatever comes after is not heard.
void letLastExchangeFinish(int master, int slave)
{
    for (int waited = 0; waited < 1000; ++waited) {
        int queued = 0;
        if (::ioctl(slave, FIONREAD, &queued) != 0 || queued == 0)
            break;
        ::usleep(1000);
    }
    pollfd fd = {master, POLLIN, 0};
    char byte[64];
    if (::poll(&fd, 1, 100) > 0) [[maybe_unused]]
        ssize_t n = ::read(master, byte, sizeof byte);
}

} // namespace

PtyServer::PtyServer(SimCamera *camera, SimLog *log) : m_camera(camera), m_log(log) {}

PtyServer::~PtyServer()
{
    CloseAll();
}

bool PtyServer::Fail(const QString &message)
{
    m_error = message + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool PtyServer::Open(const QString &linkPath)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return Fail(QStringLiteral("posix_openpt"));
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return Fail(QStringLiteral("grantpt/unlockpt"));
    const char *name = ::ptsname(m_master);
    if (!name)
        return Fail(QStringLiteral("ptsname"));
    m_slavePath = QString::fromLocal8Bit(name);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    // Holding the slave open keeps the line up when a client closes the port;
    // otherwise the master would see a hang-up between two connections.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return Fail(QStringLiteral("open ") + m_slavePath);
    struct termios tio = {};
    if (::tcgetattr(m_slave, &tio) != 0)
        return Fail(QStringLiteral("tcgetattr"));
    ::cfmakeraw(&tio); // no echo, no line editing: every byte goes through as it is
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return Fail(QStringLiteral("tcsetattr"));

    if (!linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(linkPath);
        ::unlink(link.constData()); // a link left by an earlier run that was killed
        if (::symlink(name, link.constData()) != 0)
            return Fail(QStringLiteral("symlink ") + linkPath);
        m_linkPath = linkPath;
    }
    if (!installSignals())
        return Fail(QStringLiteral("pipe"));
#ifdef __linux__
    // Byte times are tens of microseconds at 115200 baud; the default 50 us
    // of timer slack would lengthen every answer by as much.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
#endif
    m_ticksFromNs = nowNs();
    return true;
}

QString PtyServer::DevicePath() const
{
    return m_linkPath.isEmpty() ? m_slavePath : m_linkPath;
}

void PtyServer::CloseAll()
{
    if (!m_linkPath.isEmpty()) {
        ::unlink(QFile::encodeName(m_linkPath).constData());
        m_linkPath.clear();
    }
    for (int *fd : {&m_slave, &m_master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void PtyServer::HearOverTheLine(qsizetype count)
{
    // A terminal hands over at once what a line delivers a byte at a time:
    // the last of these bytes is in when the line has carried them all.
    // Answers wait for that; the camera itself may look at them now.
    if (m_byteTimeNs == 0)
        return;
    m_rxDoneNs = qMax(nowNs(), m_rxDoneNs) + count * m_byteTimeNs;
}

void PtyServer::SendOverTheLine(const QByteArray &bytes)
{
    if ((m_byteTimeNs == 0 && m_tickNs == 0) || bytes.isEmpty()) {
        writeAll(m_master, bytes);
        return;
    }
    // The answer starts once the question is in and takes a byte time per
    // byte. The reader gets it in one piece when its last byte is in, as a
    // UART's FIFO or an adapter's USB packet passes bytes on; an adapter
    // with a latency timer keeps them until its timer ticks.
    long long at = qMax(nowNs(), m_rxDoneNs);
    QByteArray held;
    long long heldUntil = 0;
    for (char byte : bytes) {
        at += m_byteTimeNs;
        long long release = at;
        if (m_tickNs > 0)
            release = m_ticksFromNs + ((at - m_ticksFromNs) / m_tickNs + 1) * m_tickNs;
        if (!held.isEmpty() && release != heldUntil && m_tickNs > 0) {
            sleepUntilNs(heldUntil);
            writeAll(m_master, held);
            held.clear();
        }
        held.append(byte);
        heldUntil = release;
    }
    sleepUntilNs(heldUntil);
    writeAll(m_master, held);
}

bool PtyServer::AtOurRate() const
{
    static const struct
    {
        int baud;
        speed_t speed;
    } kSpeeds[] = {{1200, B1200},   {2400, B2400},     {4800, B4800},
                   {9600, B9600},   {19200, B19200},   {38400, B38400},
                   {57600, B57600}, {115200, B115200}, {230400, B230400}};
    struct termios tio = {};
    if (!m_strictBaud || ::tcgetattr(m_slave, &tio) != 0)
        return true;
    for (const auto &s : kSpeeds) {
        if (s.baud == m_baud)
            return ::cfgetospeed(&tio) == s.speed;
    }
    return true;
}

int PtyServer::Run()
{
    char buffer[4096];
    for (;;) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return EXIT_FAILURE;
        }
        // Drained whatever poll() says: a signal that came in while poll()
        // returned for the master has run its handler by now, and must act
        // before the bytes that follow it.
        char signo = 0;
        while (::read(g_signalPipe[0], &signo, 1) == 1) {
            if (signo == SIGUSR1)
                m_camera->Faults().silent = !m_camera->Faults().silent;
            else
                return EXIT_SUCCESS;
        }
        if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return EXIT_FAILURE;
        const QByteArray received(buffer, int(n));
        HearOverTheLine(received.size());
        const QByteArray answer = AtOurRate() ? m_camera->Receive(received) : QByteArray();
        // Recorded before it is answered: once the client has the answer,
        // the record already shows what led to it.
        if (m_log)
            m_log->Record(received, answer, *m_camera);
        SendOverTheLine(answer);
        if (m_camera->IsDead()) {
            // The line is gone for good: the client sees the device fail.
            letLastExchangeFinish(m_master, m_slave);
            CloseAll();
            return EXIT_SUCCESS;
        }
    }
}
