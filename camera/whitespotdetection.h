#pragma once

#include "paramindex.h"

#include <QByteArray>
#include <QList>
#include <QString>

class CameraProtocol;

// White-spot detection without its window: what each status poll means,
// and the camera's table of the spots it found (area 11: entry i has x in
// register 2i and y in 2i + 1; an x of FFFF ends the list).
class WhiteSpotDetection
{
public:
    static constexpr int kCorrectionParam = Param::WhiteSpotCorrection;
    static constexpr int kThresholdParam = Param::WhiteSpotThreshold;
    static constexpr int kStatusParam = Param::WhiteSpotDetect;
    static constexpr int kMaxEntries = 64;
    static constexpr int kEndMark = 0xFFFF;
    // Status reads that may fail in a row before the poll gives up.
    static constexpr int kMaxFailedPolls = 3;
    // The status is read this often while a detection runs.
    static constexpr int kPollPeriodMs = 200;

    enum Outcome
    {
        Detecting,
        Finished,
        TooMany,
        DetectError,
        GaveUp
    };

    // The message that tells an outcome: "Detect is finished.", "Number of
    // detect is over." or "Detect error"; empty while detecting or given up.
    static QString OutcomeText(Outcome outcome);

    // A new detection: the failure count starts again.
    void Start() { m_failedPolls = 0; }
    // One poll: the status read's result and the status stored after it. A
    // failed read leaves the stored status, which decides unless it still
    // says detecting.
    Outcome OnPoll(int readResult, int status);
    int FailedPolls() const { return m_failedPolls; }

    struct Spot
    {
        int x = 0;
        int y = 0;
    };
    struct Listing
    {
        QList<Spot> spots;
        int result = 0; // 0, or the negative result of the read that ended it
    };

    // Coordinate 0 for x, 1 for y.
    static QByteArray AddressPayload(int coordinate, int entry);
    // 0..65535, or minus a code; nothing is shown.
    static int ReadAddress(CameraProtocol &camera, int coordinate, int entry);
    // Entries up to the end mark, at most kMaxEntries. A failed read ends the
    // list there; the entries before it are kept.
    static Listing ListAddresses(CameraProtocol &camera);
    // One "No.%2d: x = %4d,  y = %4d" line per spot, each ending in CR LF.
    static QString Format(const QList<Spot> &spots);

private:
    int m_failedPolls = 0;
};
