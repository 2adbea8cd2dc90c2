#pragma once

#include <QString>
#include <stdexcept>

// A database failure, carrying the engine's own message so the desktop can
// show it to the merchant as it stands.
class CDaoException : public std::runtime_error
{
public:
    explicit CDaoException(const QString& message);
    QString GetErrorMessage() const { return m_strMessage; }

    QString m_strMessage;
};
