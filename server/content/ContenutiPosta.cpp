#include "server/content/ContenutiPosta.h"

#include "platform/asp/IAspSession.h"
#include "server/content/ContenutiLimitePosta.h"
#include "server/core/catalogo/CatalogoValori.h"

namespace {

const QString kChiaveSessione = QStringLiteral("PostaContenutiInviata");

} // namespace

bool ContenutiPosta::Consentita(IAspSession& session, const QString& indirizzoRete)
{
    const qint32 inviate = CatalogoValori::Numero(session.Value(kChiaveSessione)).value_or(0);
    if (inviate >= ContenutiLimitePosta::kPerSessione)
        return false;
    if (!ContenutiLimitePosta::Negozio().Consenti(indirizzoRete))
        return false;
    session.SetValue(kChiaveSessione, inviate + 1);
    return true;
}

bool ContenutiPosta::PercorsoLocale(const QString& percorso)
{
    if (!percorso.startsWith(QLatin1Char('/')) || percorso.startsWith(QStringLiteral("//")) || percorso.size() > 500)
        return false;
    for (const QChar c : percorso) {
        if (c.unicode() <= 0x20 || c.unicode() == 0x7f || c == QLatin1Char('\\') || c == QLatin1Char('"')
            || c == QLatin1Char('<') || c == QLatin1Char('>'))
            return false;
    }
    return true;
}

QString ContenutiPosta::Collegamento(const QString& sito, const QString& nomeServer, const QString& percorso,
                                     const QString& riserva)
{
    QString schema = QStringLiteral("http");
    QString host = sito.trimmed();
    const qsizetype separatore = host.indexOf(QStringLiteral("://"));
    if (separatore >= 0) {
        schema = host.left(separatore);
        host = host.mid(separatore + 3);
    }
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    // A settings row that names a scheme and no host ("https://") keeps
    // its scheme on the host the page was asked under.
    if (host.isEmpty())
        host = nomeServer.trimmed();
    return schema + QStringLiteral("://") + host + (PercorsoLocale(percorso) ? percorso : riserva);
}

QString ContenutiPosta::CorpoSegnalazione(const QString& mittente, const QString& email, const QString& link,
                                          const QString& note, const QString& ulterioriNote,
                                          const std::function<QString(const QString&)>& testo)
{
    const QString crlf = QStringLiteral("\r\n");
    QString corpo;
    if (!mittente.isEmpty())
        corpo += mittente + crlf;
    corpo += email + crlf + crlf;
    corpo += testo(QStringLiteral("MSGTESTOSEGN")) + crlf + crlf;
    corpo += link + crlf + crlf;
    corpo += note + crlf + crlf;
    if (!ulterioriNote.isEmpty())
        corpo += ulterioriNote + crlf + crlf;
    return corpo + testo(QStringLiteral("MSGFIRMASEGN")) + crlf + crlf;
}
