#pragma once

#include <QString>

class CameraModel;

// Whether a value may be written to a parameter, checked before anything is
// sent: the register's width, the table's limits and what the model's panel
// allows. zqctl's set and the integrators' library both ask here.
class ValueCheck
{
public:
    enum Verdict
    {
        Accepted,
        Uncarried,     // wider than its register: it would arrive cut short
        OutsideLimits, // outside the table's limits
        Refused,       // no panel of the model would write it
    };

    // What can be decided without the camera: the width always, the limits
    // and what no model allows unless forced. *why says what is wrong.
    static Verdict Offline(int index, int value, bool force, QString *why);
    // True when some model refuses the value: only then is the camera's
    // model worth reading before the write.
    static bool DependsOnModel(int index, int value);
    static Verdict ForModel(const CameraModel &model, int index, int value, QString *why);

    // "parameter 5 "GAIN""
    static QString Describe(int index);
};
