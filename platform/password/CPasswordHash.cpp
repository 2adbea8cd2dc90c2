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

// A hash of a password nobody knows, checked in place of a stored text
// that is no hash (or of a user that does not exist), so that every refusal
// costs what checking a real hash costs.
const QByteArray& DummyHash()
{
    static const QByteArray dummy = CPasswordHash::Hash(QStringLiteral("nessuno")).toLatin1();
    return dummy;
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
    EnsureSodium();
    const bool hashed = IsHash(stored);
    const QByteArray hash = hashed ? stored.toLatin1() : DummyHash();
    const QByteArray plain = password.toUtf8();
    const bool matches = crypto_pwhash_str_verify(hash.constData(), plain.constData(),
                                                  static_cast<unsigned long long>(plain.size()))
                         == 0;
    return hashed && matches;
}

bool CPasswordHash::IsHash(const QString& stored)
{
    return stored.startsWith(QLatin1String("$argon2id$")) && stored.size() < crypto_pwhash_STRBYTES;
}
