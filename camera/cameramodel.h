#pragma once

#include <QByteArray>
#include <QString>

class CameraInfo;

// What a camera model lets an operator choose, from its model name and
// firmware version: the panel enables its controls by it, and zqctl checks a
// write against it. Also the panel's fixed rules of the partial scan's
// geometry.
class CameraModel
{
public:
    // START + WIDTH stays within the sensor's lines.
    static constexpr int kScanSum = 2059;

    static CameraModel Of(const QByteArray &modelName, const QByteArray &version);
    static CameraModel Of(const CameraInfo &info);
    // The model that allows least: what is allowed here is allowed on every camera.
    static CameraModel Strictest();
    // The model that allows most: what is refused here is refused everywhere.
    static CameraModel Loosest();

    bool sortAndTest = false; // the SORT and TEST PATTERN groups
    bool balance = false;     // BALANCE ADJUST, the right sliders, white spots, factory SET
    bool accel = true;        // 2xACCEL
    int gainMax = 503;        // the GAIN slider's upper end
    QString title;            // the window title

    // Why the panel would not let an operator write the value to the row on
    // this model; empty when it would.
    QString Refusal(int index, int value) const;

    // The line timing the panel shows for a partial scan.
    struct ScanTiming
    {
        int backPorch, active, frontPorch, total;
    };
    static ScanTiming Timing(bool accel, bool partial, int start, int width);
};
