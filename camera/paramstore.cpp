#include "paramstore.h"

ParamStore::ParamStore()
{
    for (int i = 0; i < PARAM_COUNT; ++i)
        ResetValue(i);
}

bool ParamStore::SetValue(int index, int value)
{
    const bool changed = m_values[index] != value;
    m_values[index] = value;
    return changed;
}

void ParamStore::ResetValue(int index)
{
    m_values[index] = ParamTable::GetDefault(index);
    m_read[index] = false;
}

bool ParamStore::IdentityRead() const
{
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (m_read[i] && ParamTable::IsIdentity(i))
            return true;
    }
    return false;
}
