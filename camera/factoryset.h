#pragma once

#include "paramindex.h"
#include "valuetransfers.h"

// The panel's factory set without its window: ask the camera to return to
// its factory settings, wait while it says it is busy, then read all.
class FactorySet
{
public:
    static constexpr int kParam = Param::FactorySet; // "Factory Set": 1 while the camera works
    static constexpr int kMaxReads = 50;

    // How the sequence reaches the camera.
    using Transfers = ValueTransfers;
    static Transfers On(CameraData &camera) { return ValueTransfers::On(camera); }

    enum Outcome
    {
        Finished,      // the camera left 1 and everything was read
        WriteFailed,   // the start was not acknowledged; nothing read
        ReadFailed,    // a status read failed; nothing more sent
        ReadAllFailed, // the camera finished, reading all failed
        StillSetting   // kMaxReads reads in a row said 1; no read-all
    };
    struct Result
    {
        Outcome outcome = Finished;
        int reads = 0;   // status reads sent
        int readAll = 0; // the read-all's result once the camera finished
        // The views show the stored values again only after a good read-all.
        bool NeedsRefresh() const { return outcome == Finished && readAll > 0; }
    };

    // One status read after the other with no pause: each exchange paces it.
    static Result Run(const Transfers &transfers);
};
