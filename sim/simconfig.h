#pragma once

#include "simfaults.h"

#include <QByteArray>
#include <QList>

// One white spot the camera's detection reports, in pixels.
struct SimSpot
{
    int x = 0;
    int y = 0;
};

// Everything that makes one simulated camera differ from another.
struct SimConfig
{
    QByteArray vendor = "Vantorix";
    QByteArray model = "ZQ-M710ALX";
    QByteArray serial = "1234567"; // 7 or 8 digits
    QByteArray version = "1.0.9.0";
    // White-spot detection: status reads that still say "detecting", then the outcome
    // (0 finished, 2 too many, anything else an error) and, on 0, these spots.
    int detectBusyPolls = 3;
    int detectOutcome = 0;
    QList<SimSpot> spots = {{12, 345}, {640, 480}, {2047, 1}};
    // Reads of the factory-set register that still say "busy".
    int factoryBusyReads = 2;
    SimFaults faults;
};
