#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariantList>

class CAdoConnection;

// The shop's end of the offline catalogue's synchronisation, on the shop's
// database. A request names its customer u and carries the credential
// issued with u's CD; the customer set is u and, for an agent, the
// customers u serves. Replies hold only rows that some customer of the set
// may see, never a credential column, and never the tables the CD does not
// carry. A request that does not fit throws std::invalid_argument with the
// reason and changes nothing.
class AggiornamentoCD
{
public:
    using Campi = QList<QPair<QString, QString>>;

    explicit AggiornamentoCD(CAdoConnection& db);

    // True when credenziale is one issued with a CD for the customer.
    bool ControlloCredenziale(qint32 idUtente, const QString& credenziale);
    static QString Impronta(const QString& credenziale);
    // Makes CredenzialiCD in a shop database older than it.
    static void AssicuraTabella(CAdoConnection& db);

    // Adds an order (Ordini) or an order line (OrdiniDettaglio) taken
    // offline for a customer of the set, with a newly allocated ID, in one
    // transaction: "OK " and the ID in 10 digits, and for an order " " and
    // its number.
    QString AggiornaOrdine(qint32 idUtente, const QString& tabella, const Campi& campi);
    // The first row of the table changed since version v that the set may
    // see, with the count of such rows; "EOF" when none.
    QString ScaricaDati(qint32 idUtente, const QString& tabella, const QString& versione);
    // Up to 100 IDs above startId of the rows the set may see.
    QString EliminaDati(qint32 idUtente, const QString& tabella, const QString& startId);
    // The next product photo newer than v: the reply's bytes, "EOF" when
    // none. cartellaImmagini is the site's images folder.
    QByteArray ScaricaImmagine(qint32 idUtente, const QString& tipo, const QString& versione,
                               const QString& cartellaImmagini);

    static constexpr int kBlocco = 1025;
    static QString Cifre(qint64 numero) { return QStringLiteral("%1").arg(numero, 10, 10, QLatin1Char('0')); }

private:
    // The condition on row T of the table that keeps it for the set.
    static QString Visibile(const QString& tabella);
    static QStringList ColonneInviate(const QString& tabella);

    CAdoConnection& m_db;
};
