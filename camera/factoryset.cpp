#include "factoryset.h"

#include "cameradata.h"

FactorySet::Result FactorySet::Run(const Transfers &transfers)
{
    Result result;
    if (transfers.send(kParam, 1) < 0) {
        result.outcome = WriteFailed;
        return result;
    }
    while (result.reads < kMaxReads) {
        ++result.reads;
        if (transfers.upload(kParam) < 0) {
            result.outcome = ReadFailed;
            return result;
        }
        if (transfers.value(kParam) != 1) {
            result.readAll = transfers.uploadAll();
            result.outcome = result.readAll < 0 ? ReadAllFailed : Finished;
            return result;
        }
    }
    result.outcome = StillSetting;
    return result;
}
