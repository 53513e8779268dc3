#include "errorstate.h"

#include "resources/stringids.h"
#include "resources/stringtable.h"

namespace {
// Indexed by code. 62127 is the "ERROR - %1" wrapper, not a message, hence
// the jump from 62126 to 62128.
const int kMessageIds[ERR_COUNT] = {
    62101, 62102, 62103, 62104, 62105, 62106, 62107, 62108, 62109, 62110,
    62111, 62112, 62113, 62114, 62115, 62116, 62117, 62118, 62119, 62120,
    62121, 62122, 62123, 62124, 62125, 62126, 62128, 62129,
};
} // namespace

ErrorState::~ErrorState() = default;

int ErrorState::SetError(int code)
{
    if (code != ERR_KEEP)
        m_errorCode = code;
    return -m_errorCode;
}

int ErrorState::StringIdOf(int code)
{
    if (code < 0 || code >= ERR_COUNT)
        code = ERR_KEEP;
    return kMessageIds[code];
}

QString ErrorState::MessageOf(int code)
{
    QString message = StringTable::Load(StringIdOf(code));
    message.replace(QLatin1String("%1"), QString());
    return message;
}

QString ErrorState::GetErrorMessage() const
{
    return StringTable::Load(StringId::ErrorWrapper).arg(MessageOf(m_errorCode));
}
