#include "server/content/ContenutiPercorso.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/content/ContenutiTesti.h"
#include "server/core/Funzioni.h"

#include <QSet>

QString ContenutiPercorso::Calcola(CAdoConnection* connessione, qint32 id, const QString& pagina,
                                   const QString& lingua, const QString& predefinita) const
{
    const QString riga = QStringLiteral("SELECT %1 FROM %2 WHERE ID=?")
                             .arg(Funzioni::NomeTabella(colonnaPadre), Funzioni::NomeTabella(tabella));
    QString percorso;
    QSet<qint32> visti;
    for (qint32 corrente = id; corrente != 0 && !visti.contains(corrente);) {
        visti.insert(corrente);
        CAdoRecordset rs;
        rs.Open(riga, connessione, {corrente});
        if (rs.IsEOF())
            break;
        CAdoRecordset testi;
        ContenutiTesti::ApriInLingua(testi, connessione, tabellaLingue, chiaveLingue, corrente, lingua, predefinita);
        const QString nome = ContenutiTesti::Decifrato(testi, QStringLiteral("Nome"));
        const QString link = QStringLiteral("<a href=\"%1?%2=%3\">%4</a>")
                                 .arg(pagina.toHtmlEscaped(), argomentoUrl, QString::number(corrente), nome.toHtmlEscaped());
        percorso = percorso.isEmpty() ? link : link + QStringLiteral(" | ") + percorso;
        corrente = rs.Field(colonnaPadre).toInt();
    }
    return percorso;
}
