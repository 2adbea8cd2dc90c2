#include "platform/password/CPasswordHash.h"

#include <sodium.h>

#include <stdexcept>

namespace {

void EnsureSodium()
{
    // sodium_init is safe to call from several threads and more than once.
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium non inizializzata");
}

} // namespace

QString CPasswordHash::Hash(const QString& password)
{
    EnsureSodium();
    const QByteArray plain = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, plain.constData(), static_cast<unsigned long long>(plain.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        throw std::runtime_error("Memoria insufficiente per calcolare la password");
    return QString::fromLatin1(out);
}

bool CPasswordHash::Verify(const QString& stored, const QString& password)
{
    if (!IsHash(stored))
        return false;
    EnsureSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray plain = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), plain.constData(),
                                    static_cast<unsigned long long>(plain.size()))
           == 0;
}

bool CPasswordHash::IsHash(const QString& stored)
{
    return stored.startsWith(QLatin1String("$argon2id$")) && stored.size() < crypto_pwhash_STRBYTES;
}
