#include "cameramodel.h"

#include "camerainfo.h"
#include "paneltables.h"
#include "paramindex.h"

namespace {
const char kDefaultTitle[] = "ZQ-M(V)710ALX";
const char kNewFirmware[] = "1.0.9.0";

struct ModelRule
{
    const char *name;
    bool sortAndTest;
    int balance; // 1 allowed, 0 never, -1 with new firmware only
    bool accel;  // 2xACCEL and a gain range of 503, else 336
    bool r1;     // "(R1)" in the title with new firmware
};
const ModelRule kModels[] = {
    {"ZQ-M710ALX", true, 1, true, false},  {"ZQ-MV710ALX", true, 1, false, false},
    {"ZQ-M710BLX", false, -1, true, true}, {"ZQ-MV710BLX", false, -1, false, true},
    {"ZQ-M710CLX", false, -1, true, true}, {"ZQ-MV710CLX", false, -1, false, true},
};
const ModelRule kOtherModel = {"", false, -1, true, false};

bool IsBalanceRow(int index)
{
    return index >= Param::FactorySet && index <= Param::WhiteSpotDetect;
}

} // namespace

CameraModel CameraModel::Of(const QByteArray &modelName, const QByteArray &version)
{
    const ModelRule *rule = &kOtherModel;
    for (const ModelRule &m : kModels) {
        if (modelName == m.name)
            rule = &m;
    }
    const bool newer = version >= QByteArray(kNewFirmware);
    CameraModel model;
    model.sortAndTest = rule->sortAndTest;
    model.balance = rule->balance == 1 || (rule->balance == -1 && newer);
    model.accel = rule->accel;
    model.gainMax = rule->accel ? 503 : 336;
    model.title = QString::fromLatin1(modelName.isEmpty() ? QByteArray(kDefaultTitle) : modelName);
    if (rule->r1 && newer)
        model.title += QStringLiteral("(R1)");
    return model;
}

CameraModel CameraModel::Of(const CameraInfo &info)
{
    return Of(info.modelName, info.version);
}

CameraModel CameraModel::Strictest()
{
    return Of("ZQ-MV710BLX", QByteArray());
}

CameraModel CameraModel::Loosest()
{
    return Of("ZQ-M710ALX", kNewFirmware);
}

QString CameraModel::Refusal(int index, int value) const
{
    if (PanelTables::HasChoices(index) && !PanelTables::FindChoice(index, value))
        return QStringLiteral("no button of the panel writes %1").arg(value);
    if (index == Param::GainLevel && value > gainMax)
        return QStringLiteral("GAIN goes up to %1 on this model").arg(gainMax);
    if (index == Param::Accel2x && !accel)
        return QStringLiteral("this model has no 2xACCEL");
    if ((index == Param::Sort || index == Param::TestPattern) && !sortAndTest)
        return QStringLiteral("this model has no SORT and TEST PATTERN");
    if (IsBalanceRow(index) && !balance)
        return QStringLiteral("this model (or its firmware) has no BALANCE ADJUST, white-spot "
                              "correction or factory SET");
    return QString();
}

CameraModel::ScanTiming CameraModel::Timing(bool accel, bool partial, int start, int width)
{
    ScanTiming t{};
    if (!accel && !partial) {
        t = {11, 2058, 10, 2079};
    } else if (!accel) {
        t.backPorch = start / 4 + 11;
        t.active = width;
        t.total = (2067 - width) / 4 + 14 + width;
    } else if (!partial) {
        t = {6, 1029, 5, 1040};
    } else {
        t.backPorch = start / 4 + 6;
        t.active = (width + 1) / 2;
        t.total = (2067 - 2 * t.active) / 4 + 8 + t.active;
    }
    if (partial)
        t.frontPorch = t.total - t.active - t.backPorch;
    return t;
}
