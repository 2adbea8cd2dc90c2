#include "platform/dao/CDaoException.h"

CDaoException::CDaoException(const QString& message)
    : std::runtime_error(message.toStdString()), m_strMessage(message)
{
}
