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
    // Back to the table default, as if never read.
    void ResetValue(int index);

    // Rows a camera reported in this session (a file's value does not count).
    void MarkRead(int index) { m_read[index] = true; }
    bool WasRead(int index) const { return m_read[index]; }
    // True once any identity row came from a camera.
    bool IdentityRead() const;

private:
    qint32 m_values[PARAM_COUNT] = {};
    bool m_read[PARAM_COUNT] = {};
};
