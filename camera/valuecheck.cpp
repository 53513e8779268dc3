#include "valuecheck.h"

#include "cameramodel.h"
#include "comm/cameraprotocol.h"
#include "paramtable.h"

ValueCheck::Verdict ValueCheck::Offline(int index, int value, bool force, QString *why)
{
    const ParamInfo &row = ParamTable::Row(index);
    if (!ParamTable::Carries(index, value)) {
        const int bytes = CameraProtocol::RegisterBytes(row.writeCode, row.lower, row.upper);
        const qint64 most = (qint64(1) << (8 * bytes)) - 1;
        *why = QStringLiteral("%1 does not fit the register of %2: %3 byte(s) on the wire carry 0 "
                              "to %4")
                   .arg(value)
                   .arg(Describe(index))
                   .arg(bytes)
                   .arg(most);
        return Uncarried;
    }
    if (force)
        return Accepted;
    if (value < row.lower || value > row.upper) {
        *why = QStringLiteral("%1 is outside the limits of %2: %3 to %4")
                   .arg(value)
                   .arg(Describe(index))
                   .arg(row.lower)
                   .arg(row.upper);
        return OutsideLimits;
    }
    const QString refusal = CameraModel::Loosest().Refusal(index, value);
    if (!refusal.isEmpty()) {
        *why = QStringLiteral("%1 refused for %2: %3").arg(value).arg(Describe(index), refusal);
        return Refused;
    }
    return Accepted;
}

bool ValueCheck::DependsOnModel(int index, int value)
{
    return !CameraModel::Strictest().Refusal(index, value).isEmpty();
}

ValueCheck::Verdict ValueCheck::ForModel(const CameraModel &model, int index, int value,
                                         QString *why)
{
    const QString refusal = model.Refusal(index, value);
    if (refusal.isEmpty())
        return Accepted;
    *why = QStringLiteral("%1 refused for %2 on %3: %4")
               .arg(value)
               .arg(Describe(index), model.title, refusal);
    return Refused;
}

QString ValueCheck::Describe(int index)
{
    return QStringLiteral("parameter %1 \"%2\"").arg(index).arg(ParamTable::GetParamName(index));
}
