#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <stdexcept>

class CAdoConnection;
class QSqlQuery;
struct QtrTableDef;

// The rows the desktop and the shop exchange, on the shop's database. Table
// names are taken only when the one schema description knows them, IDs and
// values are parsed by the column's kind and bound; every request is one
// transaction. A request that does not fit throws std::invalid_argument
// with the reason and changes nothing.
class AggiornamentoRecord
{
public:
    using Campi = QList<QPair<QString, QString>>;

    // A row the shop changed (or deleted) after the desktop's copy of it:
    // the upload of that copy is refused with this reason, which starts
    // with the protocol's conflict word.
    class Conflitto : public std::invalid_argument
    {
    public:
        using std::invalid_argument::invalid_argument;
    };

    enum class EsitoConferma { Confermata, Cambiata, Assente };

    explicit AggiornamentoRecord(CAdoConnection& db);

    // The table of a request: a synchronised table of the shop database.
    static const QtrTableDef& Tabella(const QString& nome);
    static qint32 Id(const QString& testo);

    // Writes a row as the desktop sent it (fields named as the columns,
    // "ID" among them); Modificato ends false. Columns only the desktop
    // needs are never stored. A row the shop changed and the desktop has
    // not fetched yet (a row of the tables the shop writes, or of the
    // shop's own ID range) throws Conflitto and is never overwritten.
    void Aggiorna(const QString& tabella, const Campi& campi);
    // Deletes the row; true when it was there.
    bool Elimina(const QString& tabella, qint32 id);

    // The record reply for the first changed row above fromId, or "EOF".
    // The row's version goes with it, for its confirmation.
    QString Scarica(const QString& tabella, const QString& fromId);
    // Clears Modificato of a fetched row, only when the row is still the
    // version the desktop fetched (any version when none is named): a
    // change made on the shop meanwhile keeps its mark and comes down with
    // the next download.
    EsitoConferma Conferma(const QString& tabella, qint32 id, const QString& versione);
    // The first deletion made on the shop after the one named by dopo
    // ("Table:ID", empty for the first), or "EOF". The notice stays in the
    // shop's log until the desktop confirms it, after its own database
    // holds the deletion.
    QString ProssimaCancellazione(const QString& dopo);
    // Removes a notice the desktop has applied; false when it was not there.
    bool ConfermaCancellazione(const QString& tabella, qint32 id);

private:
    // A digest of every column but Modificato, as the value texts go out.
    static QString Versione(const QtrTableDef& tabella, const QSqlQuery& riga);

    CAdoConnection& m_db;
};
