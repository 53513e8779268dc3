#pragma once

// Misbehaviour the simulated camera can be told to show, changeable while it
// runs. Counters are used up as the camera shows the fault.
struct SimFaults
{
    bool silent = false; // answers nothing at all
    int silentEnqs = 0;  // hears nothing until N ENQs went unanswered, then answers again
    int refuseEnq = 0;   // the next N ENQs are answered with NAK
    int noise = 0;       // bytes of line noise before every reply's STX
    int badChecksum = 0; // the next N replies carry a wrong checksum
    bool badChecksumAlways = false;
    bool refuseWrites = false; // every register write is answered with NAK
    bool noReply = false;      // reads are acknowledged but never answered
    bool lowerCase = false;    // reply checksums in lower-case digits
    int dieAfter = -1;         // the line dies after N complete exchanges; -1 never
    // The faults above (not dieAfter, which counts for itself) hold off until
    // N complete exchanges were made, so a bulk transfer fails in the middle.
    int faultsAfter = 0;
};
