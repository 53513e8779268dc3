#pragma once

#include "comm/portdriver.h"

#include <functional>
#include <memory>

// A COM port driver that passes everything to the real one and notices when
// a command is sent again after its frame went out: the camera acknowledged
// it but gave no reply in time. Lets a tool say what it is waiting for.
class ReplyWatch : public PortDriver
{
public:
    ReplyWatch(std::unique_ptr<PortDriver> port, std::function<void()> resent);

    // From now on the first command sent again calls resent, once.
    void Arm();

    bool Open(const QString &device) override;
    QString WhyNotOpen(const QString &device) override;
    bool IsOpen() const override;
    void Close() override;
    bool Configure(int baud, int byteSize, int stopBits, int parity) override;
    qint64 Write(const char *data, qint64 count, qint64 timeoutMs) override;
    qint64 ReadAvailable(char *buffer, qint64 maxCount) override;
    bool WaitReadable(qint64 deadlineMs) override;
    bool Purge(quint32 purgeFlags) override;
    quint32 TakeLineErrors() override;
    qint64 NowMs() override;

private:
    std::unique_ptr<PortDriver> m_port;
    std::function<void()> m_resent;
    bool m_armed = false;
    bool m_frameSent = false;
};
