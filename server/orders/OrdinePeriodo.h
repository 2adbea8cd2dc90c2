#pragma once

#include <QDateTime>
#include <QString>

// The period of the sales statistics as the agent types it: first and last
// day as day/month/year, each empty for an open end (from 1 January 2000,
// to 31 December 3000). Both days are included.
class OrdinePeriodo
{
public:
    enum Esito { Valido, DataInizialeErrata, DataFinaleErrata };

    OrdinePeriodo(const QString& dallaData, const QString& allaData);

    Esito Controllo() const { return m_esito; }
    // The message code of the failed day, empty when both are days.
    QString CodiceErrore() const;
    // The first day's start, and the start of the day after the last: an
    // order of the last day counts whatever time its date carries.
    QDateTime Dal() const { return m_dal; }
    QDateTime DopoAl() const { return m_dopoAl; }

    // A typed day, day first whatever the server's settings; null when the
    // text is no day.
    static QDate Giorno(const QString& testo);

private:
    Esito m_esito = Valido;
    QDateTime m_dal, m_dopoAl;
};
