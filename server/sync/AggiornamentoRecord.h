#pragma once

#include <QList>
#include <QPair>
#include <QString>

class CAdoConnection;
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

    explicit AggiornamentoRecord(CAdoConnection& db);

    // The table of a request: a synchronised table of the shop database.
    static const QtrTableDef& Tabella(const QString& nome);
    static qint32 Id(const QString& testo);

    // Writes a row as the desktop sent it (fields named as the columns,
    // "ID" among them); Modificato ends false. A row of the shop's own ID
    // range that the shop changed and the desktop has not fetched yet is a
    // clash: refused, never overwritten.
    void Aggiorna(const QString& tabella, const Campi& campi);
    // Deletes the row; true when it was there.
    bool Elimina(const QString& tabella, qint32 id);

    // The record reply for the first changed row above fromId, or "EOF".
    QString Scarica(const QString& tabella, const QString& fromId);
    // Clears Modificato of a fetched row; false when the row is gone.
    bool Conferma(const QString& tabella, qint32 id);
    // The first deletion made on the shop after the one named by dopo
    // ("Table:ID", empty for the first), or "EOF". The notice stays in the
    // shop's log until the desktop confirms it, after its own database
    // holds the deletion.
    QString ProssimaCancellazione(const QString& dopo);
    // Removes a notice the desktop has applied; false when it was not there.
    bool ConfermaCancellazione(const QString& tabella, qint32 id);

private:
    CAdoConnection& m_db;
};
