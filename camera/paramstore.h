#pragma once

#include "comm/errorstate.h"
#include "paramtable.h"

// The program's only copy of the camera's parameter values, each held
// exactly as exchanged with the camera.
class ParamStore : public virtual ErrorState
{
public:
    ParamStore();

    int GetValue(int index) const { return m_values[index]; }
    // True when the value differs from the one stored before.
    bool SetValue(int index, int value);
    void ResetValue(int index);

private:
    qint32 m_values[PARAM_COUNT] = {};
};
