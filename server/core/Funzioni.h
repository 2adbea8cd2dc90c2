#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>

class CAdoConnection;
class CMailQueue;
class IAspScriptingContext;

// The routines that the server classes share. Pages cannot reach them.
// Failures throw (CAdoException for the database, std::runtime_error or
// std::invalid_argument otherwise); nothing is caught here.
class Funzioni
{
public:
    Funzioni() = delete;

    // Local mode is a setting of the host that runs the page.
    static bool ModalitaLocale(const IAspScriptingContext* context);

    // Amounts and dates follow the shop's regional settings, which the page
    // host sets for the page's thread (CAspRegionalSettings).
    static QString FormattaImporto(double importo, double arrotondamento);
    static double CalcolaScontoComposto(const QVariant& sconto);
    static double ConvertiPrezzo(double prezzo, double divisore, double moltiplicatore, double arrotondamento);
    static double Arrotonda(double valore, double arrotondamento);
    // An amount as a whole number of the unit (cents for 0.01, lire for 1),
    // half up on the decimal figure the value stands for: every amount that
    // is added up or sent to the bank in minor units goes through here.
    static qint64 Minori(double valore, double unita);
    // Back from whole units to the amount: 18824 cents are the double
    // nearest 188.24.
    static double DaMinori(qint64 minori, double unita);

    // The connection string for a database folder; sets DelimitatoreData.
    static QString StringaConnessione(const QString& cartella);
    // "#" for the file database, "'" for a database server.
    static QString DelimitatoreData();

    static QString DecifraTesto(const QString& testo);

    // The next free ID of a table: from 1000000001 up when web is true,
    // else below 1000000000; the shared allocator (QtrIdAllocator) hands it
    // out atomically, so two pages never get the same ID, even before either
    // has written its row.
    static qint32 ProssimoID(const QString& tabella, CAdoConnection* conn, bool web);

    static void GeneraUserIDPassword(QString& userID, QString& password, int lunghezza, bool numerico,
                                     const QString& nome, const QString& cognome, const QVariant& idCliente,
                                     CAdoConnection* conn);
    // Writes a customer row under a generated user ID (inserisci writes it
    // with the user ID it is given). The database keeps user IDs unique
    // whatever their case, and two pages may generate the same one at the
    // same moment: the write then goes back to where it began and is tried
    // again under the user ID followed by the customer's ID, then by random
    // digits; userID ends as the one written.
    static void InserisciConUserID(CAdoConnection* conn, QString& userID, const QVariant& idCliente,
                                   const std::function<void(const QString& userID)>& inserisci);

    static QString FormattaData(const QDateTime& data);
    static QString EliminaTagHTML(const QString& testo);

    // Sends one plain-text message through the SMTP server set below
    // (localhost:25 unless a host set another); nothing in local mode.
    // With a queue set, the message is only stored in it (throwing when it
    // cannot be) and the queue's thread delivers it.
    static void InviaEmail(const IAspScriptingContext* context, const QString& mittente,
                           const QString& destinatario, const QString& oggetto, const QString& testo,
                           const QString& rispondiA = QString());
    static void ImpostaServerPosta(const QString& server, quint16 porta);
    // The host's queue, which outlives every page; nullptr sends at once.
    static void ImpostaCodaPosta(CMailQueue* coda);

    // A failure a page must not show its visitor, for the host's error log
    // (standard error until a host sets a log).
    static void RegistraErrore(const QString& messaggio);
    static void ImpostaRegistroErrori(std::function<void(const QString&)> registro);

    // A table name that goes into SQL text must be a plain identifier.
    static QString NomeTabella(const QString& tabella);
};
