#include "desktop/publishing/cdrom/CCdMessagesFile.h"

#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/CLingueSet.h"

#include <QSaveFile>

const QStringList& CCdMessagesFile::Keys()
{
    static const QStringList keys = {
        "CDPMTINSTALLAZIONE", "CDMSGBENVENUTO", "CDPMTSELCARTELLA", "CDPMTSFOGLIA", "CDPMTINSTALLA",
        "CDPMTCREALINK", "CDPMTCREALINKDESK", "CDPMTINSTMDAC", "CDMSGOKINST", "CDMSGCOPIAFILE",
        "CDMNUFILE", "CDMNUAGGIORNAMENTO", "CDMNUSTAMPA", "CDMNUESCI", "CDMNUNAVIGAZIONE",
        "CDMNUHOME", "CDMNUINDIETRO", "CDMNUAVANTI", "CDMNUHELP", "CDPMTSTAMPA",
        "CDPMTCLIENTE", "CDPMTDALLADATA", "CDPMTALLADATA", "CDPMTTUTTICLIENTI", "CDPMTNUMORD",
        "CDPMTDATA", "CDPMTAGGIORNALISTA", "CDPMTOKSTAMPA", "CDPMTANNULLA", "CDPMTAGGIORNAMENTO",
        "CDPMTAGGREC", "CDPMTAVVIO", "CDMSGAGGIORNAMENTOOK", "CDMSGAGGIORNAMENTOKO", "CDMSGAGGIORNAMENTORP",
        "CDPMTAGGTAB", "CDERRSERVERIRR", "CDPMTAGGIMM", "CDPMTPRGAGGIMM", "CDPMTPRGORDINI",
        "CDERRNOORDSEL", "CDPMTDATIORDINE", "CDPMTDESTINATARIO", "CDPMTTELEFONO", "CDPMTPIVA",
        "CDPMTCODICE", "CDPMTDESCRIZIONE", "CDPMTQUANTITA", "CDPMTUM", "CDPMTPREZZO",
        "CDPMTIMPORTO", "CDPMTTAGLIA", "CDPMTCOLORE", "CDPMTTOTIMPONIBILE", "CDPMTSPESESPED",
        "CDPMTSPESECONTR", "CDPMTTOTIMPOSTA", "CDPMTTOTORDINE"};
    return keys;
}

namespace {

QString Line(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("###"));
    text.replace(QLatin1Char('\n'), QStringLiteral("###"));
    return text + QStringLiteral("\r\n");
}

} // namespace

bool CCdMessagesFile::Write(const QString& path, CDaoDatabase& database, const QString& defaultLanguage)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    CLingueSet languages(&database);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.Open();
    CDizionarioGenSet entries(&database);
    entries.Open();
    CDizionarioLinSet texts(&database);
    texts.Open();
    QString out;
    for (; !languages.IsEOF(); languages.MoveNext()) {
        out += Line(languages.m_Descrizione);
        for (const QString& key : Keys()) {
            QString text;
            if (entries.FindFirst(QStringLiteral("Codice=?"), {key})) {
                const qint32 id = entries.m_ID;
                if (texts.FindFirst(QStringLiteral("CodiceLingua=? AND IDCodice=?"), {languages.m_Codice, id})
                    || texts.FindFirst(QStringLiteral("CodiceLingua=? AND IDCodice=?"), {defaultLanguage, id}))
                    text = texts.m_Testo;
            }
            out += Line(text);
        }
    }
    file.write(out.toUtf8());
    return file.commit();
}
