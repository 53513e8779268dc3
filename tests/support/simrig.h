#pragma once

#include "comm/seriallink.h"
#include "sim/simcamera.h"
#include "sim/simportdriver.h"

#include <memory>
#include <utility>

// The unit tests' one simulated line: a peer (the simulated camera, or a
// scripted far end) behind a SimPortDriver on virtual time. The peer
// outlives every channel attached to it.
template <class Peer> struct SimLine
{
    template <class... Args> explicit SimLine(Args &&...args) : peer(std::forward<Args>(args)...) {}
    // Gives the channel the port to the peer and opens it as COM1 at the
    // baud rate; 0 leaves the opening to the test.
    void Attach(SerialLink &link, int baud)
    {
        auto port = std::make_unique<SimPortDriver>(&peer);
        driver = port.get();
        link.SetPortDriver(std::move(port));
        if (baud && link.OpenPort(1, baud) != 0)
            qFatal("simulated port did not open");
    }

    Peer peer;
    SimPortDriver *driver = nullptr;
};

// A channel of its own (a SerialLink, CameraProtocol or CameraData) on a
// simulated line.
template <class Link, class Peer = SimCamera> struct SimRig : SimLine<Peer>
{
    template <class... Args>
    explicit SimRig(int baud, Args &&...args) : SimLine<Peer>(std::forward<Args>(args)...)
    {
        this->Attach(link, baud);
    }
    qint64 now() { return link.NowMs(); }

    Link link;
};
