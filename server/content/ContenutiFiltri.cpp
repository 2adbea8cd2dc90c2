#include "server/content/ContenutiFiltri.h"

#include "platform/ado/CAdoRecordset.h"

#include <QDateTime>
#include <QSet>

void ContenutiFiltri::Sezione(CatalogoSql& sql, const QVariant& idGruppo, const QVariant& idUtente)
{
    sql.Aggiungi(QStringLiteral(" AND NOT EXISTS (SELECT IDRecord FROM Permessi WHERE IDRecord=Sezioni.ID AND Tipo=2 "
                                "AND IDGruppo=?)"),
                 {idGruppo});
    sql.Aggiungi(QStringLiteral(" AND NOT EXISTS (SELECT IDRecord FROM Permessi WHERE IDRecord=Sezioni.ID AND Tipo=2 "
                                "AND IDUtente=?)"),
                 {idUtente});
}

void ContenutiFiltri::Articolo(CatalogoSql& sql, const QVariant& idGruppo, const QVariant& idUtente)
{
    const QString sezioni = QStringLiteral(
        " AND NOT EXISTS (SELECT IDRecord FROM Permessi WHERE IDRecord IN (SELECT IDSezione FROM SezioniArticoli "
        "WHERE IDArticolo=Articoli.ID) AND Tipo=2 AND %1=?)");
    const QString articolo =
        QStringLiteral(" AND NOT EXISTS (SELECT IDRecord FROM Permessi WHERE IDRecord=Articoli.ID AND Tipo=3 AND %1=?)");
    sql.Aggiungi(sezioni.arg(QStringLiteral("IDGruppo")), {idGruppo});
    sql.Aggiungi(sezioni.arg(QStringLiteral("IDUtente")), {idUtente});
    sql.Aggiungi(articolo.arg(QStringLiteral("IDGruppo")), {idGruppo});
    sql.Aggiungi(articolo.arg(QStringLiteral("IDUtente")), {idUtente});
}

void ContenutiFiltri::Pubblicazione(CatalogoSql& sql, const QDate& oggi)
{
    const QDateTime giorno(oggi, QTime(0, 0));
    sql.Aggiungi(QStringLiteral(" AND (Articoli.PubblicazioneDallaData IS NULL OR Articoli.PubblicazioneDallaData<=?)"),
                 {giorno});
    sql.Aggiungi(QStringLiteral(" AND (Articoli.PubblicazioneAllaData IS NULL OR Articoli.PubblicazioneAllaData>=?)"),
                 {giorno});
}

void ContenutiFiltri::Novita(CatalogoSql& sql, qint32 flagNovita)
{
    if (flagNovita == -1)
        sql.Aggiungi(QStringLiteral(" AND Articoli.Novita=0"));
    else if (flagNovita == 1)
        sql.Aggiungi(QStringLiteral(" AND Articoli.Novita=1"));
}

QList<qint32> ContenutiFiltri::Discendenti(CAdoConnection* connessione, const QString& tabella, const QString& padre,
                                           qint32 radice)
{
    QList<qint32> elenco;
    QSet<qint32> visti;
    const QString testo = QStringLiteral("SELECT ID FROM %1 WHERE %2=?").arg(tabella, padre);
    // Depth first without recursion: a deep tree cannot exhaust the stack.
    QList<qint32> daVisitare{radice};
    while (!daVisitare.isEmpty()) {
        const qint32 id = daVisitare.takeFirst();
        if (visti.contains(id))
            continue;
        visti.insert(id);
        elenco << id;
        QList<qint32> figli;
        CAdoRecordset rs;
        for (rs.Open(testo, connessione, {id}); !rs.IsEOF(); rs.MoveNext())
            figli << rs.Field(QStringLiteral("ID")).toInt();
        daVisitare = figli + daVisitare;
    }
    return elenco;
}

void ContenutiFiltri::In(CatalogoSql& sql, const QList<qint32>& ids)
{
    sql.Aggiungi(QStringLiteral(" IN (") + CatalogoSql::Segnaposti(ids.size()) + QLatin1Char(')'), CatalogoSql::Valori(ids));
}
