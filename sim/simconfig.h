#pragma once

#include "simfaults.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QMap>

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
    // Keyed by SimConfig::Key(area, register), the area without its read bit.
    // Successive reads return these six-character data fields in turn, the
    // last one repeating; the register store is left as it is.
    QMap<int, QByteArrayList> scriptedReads;
    // The one write of that register with exactly this data field gets NAK.
    QMap<int, QByteArray> refusedWrites;

    static int Key(int area, int reg) { return (area & 0x7F) << 8 | (reg & 0xFF); }
};
