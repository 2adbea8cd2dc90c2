#pragma once

#include <QString>

// The one way passwords are kept, on the desktop and on the server: a
// salted Argon2id hash in the self-describing text form
// "$argon2id$v=19$m=...,t=...,p=...$salt$hash". Checking compares in
// constant time. Hashing costs tens of milliseconds on purpose.
class CPasswordHash
{
public:
    // Throws std::runtime_error when the library cannot hash (no memory).
    static QString Hash(const QString& password);
    // False for a wrong password and for a stored text that is no hash (an
    // empty one for a user that does not exist); each costs the same time.
    static bool Verify(const QString& stored, const QString& password);
    static bool IsHash(const QString& stored);
};
