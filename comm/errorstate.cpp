#include "errorstate.h"

#include "resources/stringids.h"
#include "resources/stringtable.h"

ErrorState::~ErrorState() = default;

int ErrorState::SetError(int code, const QString &reason)
{
    if (code != ERR_KEEP) {
        m_errorCode = code;
        m_errorReason = reason;
    } else if (!reason.isEmpty()) {
        m_errorReason = reason;
    }
    return -m_errorCode;
}

int ErrorState::StringIdOf(int code)
{
    if (code < 0 || code >= ERR_COUNT)
        code = ERR_KEEP;
    // The messages follow each other by code, around the "ERROR - %1" wrapper.
    const int id = StringId::ErrorMessageFirst + code;
    return id >= StringId::ErrorWrapper ? id + 1 : id;
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
