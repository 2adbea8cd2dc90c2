#include "server/members/RegistrazioneScrittura.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/password/CPasswordHash.h"
#include "server/core/Funzioni.h"
#include "server/members/MembriCampi.h"

#include <QStringList>
#include <QVariantList>

namespace {

QString Segnaposti(qsizetype n)
{
    return QStringList(n, QStringLiteral("?")).join(QLatin1Char(','));
}

void InserisciRiga(CAdoConnection* conn, const QString& tabella, const QStringList& colonne,
                   const QVariantList& valori)
{
    conn->Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(tabella, colonne.join(QLatin1Char(',')), Segnaposti(colonne.size())),
                  valori);
}

void ColonneDati(const RegistrazioneDati& dati, QStringList& colonne, QVariantList& valori)
{
    for (const MembroCampo& campo : MembriCampi::Campi()) {
        colonne << QLatin1String(campo.nome);
        valori << dati.campi.value(QLatin1String(campo.nome));
    }
    colonne << QStringLiteral("CodiceLingua") << QStringLiteral("Modificato");
    valori << dati.codiceLingua << true;
}

} // namespace

RegistrazioneEsito RegistrazioneScrittura::Scrivi(CAdoConnection* conn, const RegistrazioneDati& dati)
{
    RegistrazioneEsito esito;
    conn->BeginTrans();
    try {
        if (dati.idUtente != 0) {
            Aggiorna(conn, dati);
            esito.idUtente = dati.idUtente;
        } else {
            Inserisci(conn, dati, esito);
            if (dati.copiaPermessi)
                CopiaPermessi(conn, esito.idUtente);
        }
        if (!dati.impostaInteressi.isEmpty())
            ScriviInteressi(conn, dati, esito.idUtente);
        conn->CommitTrans();
    } catch (...) {
        conn->RollbackTrans();
        throw;
    }
    return esito;
}

void RegistrazioneScrittura::Aggiorna(CAdoConnection* conn, const RegistrazioneDati& dati)
{
    QStringList colonne;
    QVariantList valori;
    ColonneDati(dati, colonne, valori);
    if (!dati.password.isEmpty()) {
        colonne << QStringLiteral("Password");
        valori << CPasswordHash::Hash(dati.password);
    }
    valori << dati.idUtente;
    const int cambiate = conn->Execute(
        QStringLiteral("UPDATE Clienti SET %1=? WHERE ID=?").arg(colonne.join(QStringLiteral("=?, "))), valori);
    if (cambiate != 1)
        throw CAdoException(QStringLiteral("Il cliente %1 non esiste.").arg(dati.idUtente));
}

void RegistrazioneScrittura::Inserisci(CAdoConnection* conn, const RegistrazioneDati& dati,
                                       RegistrazioneEsito& esito)
{
    esito.idUtente = Funzioni::ProssimoID(QStringLiteral("Clienti"), conn, true);
    QStringList colonne{QStringLiteral("ID"),       QStringLiteral("IDAgente"), QStringLiteral("IDGruppo"),
                        QStringLiteral("TipoUtente"), QStringLiteral("IDEsterno")};
    QVariantList valori{esito.idUtente, dati.idAgente, dati.idGruppo, dati.tipo, QString()};
    ColonneDati(dati, colonne, valori);
    colonne << QStringLiteral("Password") << QStringLiteral("UserID");
    if (!dati.generaCredenziali) {
        valori << (dati.password.isEmpty() ? QString() : CPasswordHash::Hash(dati.password)) << QString();
        InserisciRiga(conn, QStringLiteral("Clienti"), colonne, valori);
        return;
    }
    Funzioni::GeneraUserIDPassword(esito.userID, esito.passwordGenerata, dati.lunghezzaPassword,
                                   dati.passwordNumerica, dati.campi.value(QStringLiteral("Nome")),
                                   dati.campi.value(QStringLiteral("Cognome")), esito.idUtente, conn);
    valori << CPasswordHash::Hash(esito.passwordGenerata) << esito.userID;
    const int posto = valori.size() - 1;
    Funzioni::InserisciConUserID(conn, esito.userID, esito.idUtente, [&](const QString& userID) {
        valori[posto] = userID;
        InserisciRiga(conn, QStringLiteral("Clienti"), colonne, valori);
    });
}

// The copied rights travel to the desktop with the customer.
void RegistrazioneScrittura::CopiaPermessi(CAdoConnection* conn, qint32 idUtente)
{
    CAdoRecordset modelli;
    modelli.Open(QStringLiteral("SELECT IDGruppo, Tipo, IDRecord FROM Permessi WHERE IDUtente=0 ORDER BY ID"), conn);
    for (; !modelli.IsEOF(); modelli.MoveNext()) {
        const qint32 id = Funzioni::ProssimoID(QStringLiteral("Permessi"), conn, true);
        InserisciRiga(conn, QStringLiteral("Permessi"),
                      {QStringLiteral("ID"), QStringLiteral("IDGruppo"), QStringLiteral("Tipo"),
                       QStringLiteral("IDRecord"), QStringLiteral("IDUtente"), QStringLiteral("Modificato")},
                      {id, modelli.Field(QStringLiteral("IDGruppo")), modelli.Field(QStringLiteral("Tipo")),
                       modelli.Field(QStringLiteral("IDRecord")), idUtente, true});
    }
}

void RegistrazioneScrittura::ScriviInteressi(CAdoConnection* conn, const RegistrazioneDati& dati, qint32 idUtente)
{
    CAdoRecordset vecchi;
    vecchi.Open(QStringLiteral("SELECT ID FROM InteressiUtenti WHERE IDUtente=? ORDER BY ID"), conn, {idUtente});
    for (; !vecchi.IsEOF(); vecchi.MoveNext()) {
        InserisciRiga(conn, QStringLiteral("RecordsEliminati"),
                      {QStringLiteral("NomeTabella"), QStringLiteral("IDRecord")},
                      {QStringLiteral("InteressiUtenti"), vecchi.Field(QStringLiteral("ID"))});
        conn->Execute(QStringLiteral("DELETE FROM InteressiUtenti WHERE ID=?"), {vecchi.Field(QStringLiteral("ID"))});
    }
    const bool tutti = dati.impostaInteressi == QLatin1String("Tutti");
    CAdoRecordset interessi;
    interessi.Open(QStringLiteral("SELECT ID FROM Interessi ORDER BY Ordine, ID"), conn);
    for (; !interessi.IsEOF(); interessi.MoveNext()) {
        const qint32 idInteresse = interessi.Field(QStringLiteral("ID")).toInt();
        if (!tutti && !dati.interessiScelti.contains(idInteresse))
            continue;
        const qint32 id = Funzioni::ProssimoID(QStringLiteral("InteressiUtenti"), conn, true);
        InserisciRiga(conn, QStringLiteral("InteressiUtenti"),
                      {QStringLiteral("ID"), QStringLiteral("IDUtente"), QStringLiteral("IDInteresse"),
                       QStringLiteral("Modificato")},
                      {id, idUtente, idInteresse, true});
    }
}
