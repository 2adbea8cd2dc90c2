#include "server/orders/OrdineScrittura.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/password/CPasswordHash.h"
#include "server/core/Funzioni.h"

#include <QRegularExpression>

namespace {

// The buyer's columns of Clienti and Ordini, in this order.
const char* const kColonneAcquirente[] = {"RagioneSociale", "Cognome", "Nome", "Indirizzo", "Cap", "Localita",
                                          "Provincia", "Stato", "Telefono", "Email", "CFPI"};

QVariantList ValoriAcquirente(const OrdineAnagrafica& a)
{
    return {a.ragioneSociale, a.cognome, a.nome, a.indirizzo, a.cap, a.localita,
            a.provincia, a.stato, a.telefono, a.email, a.cfpi};
}

QVariantList ValoriDestinatario(const OrdineAnagrafica& d)
{
    return {d.ragioneSociale, d.cognome, d.nome, d.indirizzo, d.cap, d.localita, d.provincia, d.stato};
}

QString Segnaposti(qsizetype n)
{
    QStringList s;
    for (qsizetype i = 0; i < n; ++i)
        s << QStringLiteral("?");
    return s.join(QLatin1Char(','));
}

int Inserisci(CAdoConnection* conn, const QString& tabella, const QStringList& colonne, const QVariantList& valori)
{
    return conn->Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(tabella, colonne.join(QLatin1Char(',')), Segnaposti(colonne.size())),
                         valori);
}

QStringList Colonne(const char* const* nomi, qsizetype n, const QString& prefisso = QString())
{
    QStringList colonne;
    for (qsizetype i = 0; i < n; ++i)
        colonne << prefisso + QLatin1String(nomi[i]);
    return colonne;
}

} // namespace

QString OrdineScrittura::NumeroOrdine(qint32 idOrdine, const QDate& giorno, bool locale)
{
    return (locale ? QStringLiteral("T") : giorno.toString(QStringLiteral("yyyyMM"))) + QString::number(idOrdine);
}

qint32 OrdineScrittura::IDDaNumeroOrdine(const QString& numOrdine)
{
    static const QRegularExpression forma(QStringLiteral("^(?:T|[0-9]{6})([1-9][0-9]{0,9})$"));
    const QRegularExpressionMatch m = forma.match(numOrdine);
    if (!m.hasMatch())
        return 0;
    bool ok = false;
    const qint64 id = m.captured(1).toLongLong(&ok);
    return ok && id <= std::numeric_limits<qint32>::max() ? static_cast<qint32>(id) : 0;
}

double OrdineScrittura::PrezzoRiga(const OrdineDati& dati, const OrdineRiga& riga)
{
    double prezzo = Funzioni::ConvertiPrezzo(riga.prezzo, dati.fcEuro2Web, dati.fcListino2Euro, dati.arrotondamento);
    if (dati.prezziIvaCompresa)
        prezzo -= Funzioni::ConvertiPrezzo(riga.imposta, dati.fcEuro2Web, dati.fcListino2Euro, dati.arrotondamento);
    return prezzo;
}

double OrdineScrittura::SpeseContrassegno(const OrdineDati& dati)
{
    if (dati.tipoPagamento != QLatin1String("Contrassegno"))
        return 0;
    if (dati.esenzioneIVA)
        return dati.speseContrassegnoVL;
    return dati.speseContrassegnoVL / ((dati.ivaSpedizioni + 100) / 100);
}

OrdineScritto OrdineScrittura::Scrivi(CAdoConnection* conn, const OrdineDati& dati, const QDateTime& adesso)
{
    if (!conn)
        throw CAdoException(QStringLiteral("La connessione al database non è aperta."));
    OrdineScritto scritto;
    conn->BeginTrans();
    try {
        ScriviCliente(conn, dati, scritto);
        const qint32 idDestinatario = DestinatarioDelCliente(conn, dati, scritto.idCliente);
        scritto.idOrdine = Funzioni::ProssimoID(QStringLiteral("Ordini"), conn, true);
        scritto.numOrdine = NumeroOrdine(scritto.idOrdine, adesso.date(), dati.locale);
        scritto.speseContrassegno = SpeseContrassegno(dati);
        ScriviOrdine(conn, dati, scritto, idDestinatario, adesso);
        for (const OrdineRiga& riga : dati.righe)
            ScriviRiga(conn, dati, riga, scritto.idOrdine);
        conn->CommitTrans();
    } catch (...) {
        conn->RollbackTrans();
        throw;
    }
    return scritto;
}

// Only a logged-in customer's row is brought up to date. A visitor known
// by the customer cookie alone becomes a new customer: the cookie is no
// proof of who is at the keyboard, so it must not change the row nor learn
// its login.
void OrdineScrittura::ScriviCliente(CAdoConnection* conn, const OrdineDati& dati, OrdineScritto& scritto)
{
    const QStringList acquirente = Colonne(kColonneAcquirente, std::size(kColonneAcquirente));
    if (dati.idUtente > 0) {
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT UserID FROM Clienti WHERE ID=?"), conn, {dati.idUtente});
        if (rs.IsEOF())
            throw CAdoException(QStringLiteral("Il cliente %1 non esiste.").arg(dati.idUtente));
        scritto.idCliente = dati.idUtente;
        scritto.userID = rs.Field(QStringLiteral("UserID")).toString();
        QVariantList valori = ValoriAcquirente(dati.acquirente);
        valori << dati.codiceLingua << true << dati.idUtente;
        conn->Execute(QStringLiteral("UPDATE Clienti SET %1=?, CodiceLingua=?, Modificato=? WHERE ID=?")
                          .arg(acquirente.join(QStringLiteral("=?, "))),
                      valori);
        return;
    }
    scritto.nuovoCliente = true;
    scritto.idCliente = Funzioni::ProssimoID(QStringLiteral("Clienti"), conn, true);
    QStringList colonne{QStringLiteral("ID"), QStringLiteral("IDGruppo"), QStringLiteral("TipoUtente")};
    colonne << acquirente << QStringLiteral("CodiceLingua") << QStringLiteral("Modificato");
    QVariantList valori{scritto.idCliente, 0, 1};
    valori << ValoriAcquirente(dati.acquirente) << dati.codiceLingua << true;
    if (!dati.credenziali) {
        Inserisci(conn, QStringLiteral("Clienti"), colonne, valori);
        return;
    }
    Funzioni::GeneraUserIDPassword(scritto.userID, scritto.passwordGenerata, 0, false, dati.acquirente.nome,
                                   dati.acquirente.cognome, scritto.idCliente, conn);
    colonne << QStringLiteral("UserID") << QStringLiteral("Password");
    const int posto = valori.size();
    valori << scritto.userID << CPasswordHash::Hash(scritto.passwordGenerata);
    Funzioni::InserisciConUserID(conn, scritto.userID, scritto.idCliente, [&](const QString& userID) {
        valori[posto] = userID;
        Inserisci(conn, QStringLiteral("Clienti"), colonne, valori);
    });
}

// The consignee's row is the buyer's own consignee or none: an ID that
// names another customer's row, or any row for a new customer, is not
// written and the order records no consignee row.
qint32 OrdineScrittura::DestinatarioDelCliente(CAdoConnection* conn, const OrdineDati& dati, qint32 idCliente)
{
    if (dati.idDestinatario <= 0 || dati.idUtente <= 0)
        return 0;
    QVariantList valori = ValoriDestinatario(dati.destinatario);
    valori << true << dati.idDestinatario << idCliente;
    const int cambiate = conn->Execute(
        QStringLiteral("UPDATE Clienti SET RagioneSociale=?, Cognome=?, Nome=?, Indirizzo=?, Cap=?, Localita=?, "
                       "Provincia=?, Stato=?, Modificato=? WHERE ID=? AND IDCliente=? AND TipoUtente=4"),
        valori);
    return cambiate == 1 ? dati.idDestinatario : 0;
}

void OrdineScrittura::ScriviOrdine(CAdoConnection* conn, const OrdineDati& dati, const OrdineScritto& scritto,
                                   qint32 idDestinatario, const QDateTime& adesso)
{
    static const char* const kDestinatario[] = {"RagioneSociale", "Cognome", "Nome", "Indirizzo",
                                                "Cap", "Localita", "Provincia", "Stato"};
    QStringList colonne{QStringLiteral("ID"), QStringLiteral("NumOrdine"), QStringLiteral("IDCliente"),
                        QStringLiteral("IDDestinatario")};
    colonne << Colonne(kColonneAcquirente, std::size(kColonneAcquirente))
            << Colonne(kDestinatario, std::size(kDestinatario), QStringLiteral("D"));
    colonne << QStringLiteral("Data") << QStringLiteral("Ora") << QStringLiteral("CodiceLingua")
            << QStringLiteral("Cambio") << QStringLiteral("SpeseSpedizione") << QStringLiteral("IVASpedizioni")
            << QStringLiteral("TipoPagamento") << QStringLiteral("SpeseContrassegno") << QStringLiteral("Note")
            << QStringLiteral("EsenzioneIVA") << QStringLiteral("Modificato") << OrdineAddebito::Colonne();
    QVariantList valori{scritto.idOrdine, scritto.numOrdine, scritto.idCliente, idDestinatario};
    valori << ValoriAcquirente(dati.acquirente) << ValoriDestinatario(dati.destinatario);
    valori << QDateTime(adesso.date(), QTime(0, 0)) << QDateTime(QDate(1899, 12, 30), adesso.time())
           << dati.codiceLingua << dati.fcEuro2Web << dati.speseSpedizioneVL << dati.ivaSpedizioni
           << dati.tipoPagamento << scritto.speseContrassegno << dati.note << dati.esenzioneIVA << true;
    valori << dati.addebito.Valori();
    Inserisci(conn, QStringLiteral("Ordini"), colonne, valori);
}

void OrdineScrittura::ScriviRiga(CAdoConnection* conn, const OrdineDati& dati, const OrdineRiga& riga,
                                 qint32 idOrdine)
{
    QStringList colonne{QStringLiteral("ID"),          QStringLiteral("IDOrdine"),   QStringLiteral("IDProdotto"),
                        QStringLiteral("CodiceProdotto"), QStringLiteral("CodiceBarre"), QStringLiteral("Nome"),
                        QStringLiteral("Descrizione"), QStringLiteral("IDColore"),   QStringLiteral("Taglia"),
                        QStringLiteral("UM"),          QStringLiteral("Quantita"),   QStringLiteral("Prezzo"),
                        QStringLiteral("QuantitaEvasa"), QStringLiteral("Iva"),      QStringLiteral("Peso"),
                        QStringLiteral("Modificato")};
    const qint32 id = Funzioni::ProssimoID(QStringLiteral("OrdiniDettaglio"), conn, true);
    QVariantList valori{id,
                        idOrdine,
                        riga.idProdotto,
                        riga.codiceProdotto,
                        QString(),
                        riga.nomeProdotto,
                        riga.descrizioneFattura.isEmpty() ? riga.descrizioneBreve : riga.descrizioneFattura,
                        riga.idColore,
                        riga.taglia,
                        riga.um,
                        riga.quantita,
                        PrezzoRiga(dati, riga),
                        0,
                        riga.iva,
                        riga.peso,
                        true};
    if (!riga.campiUtente.isEmpty()) {
        QString campi;
        for (const auto& [nome, valore] : riga.campiUtente)
            campi += nome + QLatin1Char('=') + valore + QLatin1Char('|');
        colonne << QStringLiteral("CampiUtente");
        valori << campi;
    }
    Inserisci(conn, QStringLiteral("OrdiniDettaglio"), colonne, valori);
}
