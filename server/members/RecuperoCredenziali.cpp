#include "server/members/RecuperoCredenziali.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/password/CPasswordHash.h"
#include "server/core/QtrTentativiAccesso.h"

#include <QList>
#include <QPair>
#include <QRandomGenerator>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QChar Casuale(char primo, int quanti)
{
    return QChar(primo + static_cast<int>(QRandomGenerator::system()->bounded(quanti)));
}

} // namespace

QtrTentativiAccesso& RecuperoCredenziali::Richieste()
{
    static QtrTentativiAccesso richieste([] {
        QtrTentativiAccesso::Regole regole;
        regole.liberiUtente = 3;
        regole.liberiIndirizzo = 10;
        regole.primaPausaMs = 60 * 1000;
        regole.pausaMassimaMs = 60 * 60 * 1000;
        regole.oblioMs = 60 * 60 * 1000;
        return regole;
    }());
    return richieste;
}

QString RecuperoCredenziali::NuovaPassword(int lunghezza, bool numerica)
{
    if (lunghezza <= 0)
        lunghezza = 6;
    QString password;
    const int lettere = numerica ? 0 : (lunghezza + 1) / 2;
    for (int i = 0; i < lettere; ++i)
        password += Casuale('a', 26);
    while (password.size() < lunghezza)
        password += Casuale('0', 10);
    return password;
}

RecuperoCredenziali::Esito RecuperoCredenziali::Esegui(CAdoConnection* conn, const QString& email, int lunghezza,
                                                       bool numerica, const Traduci& traduci, const Invia& invia)
{
    if (email.isEmpty())
        return Esito::NessunIndirizzo;
    CAdoRecordset righe;
    righe.Open(QStringLiteral("SELECT ID, UserID FROM Clienti WHERE LOWER(Email)=LOWER(?) ORDER BY ID"), conn, {email});
    if (righe.IsEOF())
        return Esito::Sconosciuto;

    QString corpo = traduci(QStringLiteral("PMTINTRORECPSWD")) + kCrLf;
    QList<QPair<QVariant, QString>> nuove;
    for (; !righe.IsEOF(); righe.MoveNext()) {
        const QString password = NuovaPassword(lunghezza, numerica);
        corpo += traduci(QStringLiteral("PMTNOMEUTENTE")) + QStringLiteral(": ") + righe.Field(QStringLiteral("UserID")).toString() + kCrLf;
        corpo += traduci(QStringLiteral("PMTPASSWORD")) + QStringLiteral(": ") + password + kCrLf + kCrLf;
        nuove.append({righe.Field(QStringLiteral("ID")), CPasswordHash::Hash(password)});
    }
    corpo += traduci(QStringLiteral("PMTFIRMARECPSWD"));

    conn->BeginTrans();
    try {
        for (const auto& [id, hash] : nuove)
            conn->Execute(QStringLiteral("UPDATE Clienti SET Password=?, Modificato=? WHERE ID=?"), {hash, true, id});
        if (!invia(traduci(QStringLiteral("MSGOGGRECPSWD")), corpo)) {
            conn->RollbackTrans();
            return Esito::NonInviata;
        }
        conn->CommitTrans();
    } catch (...) {
        conn->RollbackTrans();
        throw;
    }
    return Esito::Inviata;
}
