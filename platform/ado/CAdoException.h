#pragma once

#include <QString>

#include <stdexcept>

// A failure of the database or of a recordset operation, with the engine's
// own message where the engine gave one. what() is UTF-8.
class CAdoException : public std::runtime_error
{
public:
    explicit CAdoException(const QString& message);
    QString Message() const { return m_message; }

private:
    QString m_message;
};
