#pragma once

#include <QByteArray>

// The far end of a simulated serial line: gets what the program sent and
// answers with the bytes it sends back. The simulated camera is one; tests
// plug in scripted peers.
class SimPeer
{
public:
    virtual ~SimPeer();
    // Bytes from the program; returns the bytes the peer sends in answer.
    virtual QByteArray Receive(const QByteArray &bytes) = 0;
};
