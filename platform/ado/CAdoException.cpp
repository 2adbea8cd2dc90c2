#include "platform/ado/CAdoException.h"

CAdoException::CAdoException(const QString& message)
    : std::runtime_error(message.toUtf8().toStdString()), m_message(message)
{
}
