#include "exchange/CSiteAddress.h"

#include <QHostAddress>
#include <QUrl>

bool CSiteAddress::IsPlainRemote(const QString& address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return false;   // no shop to reach: the run fails on its first request
    const QUrl url = QUrl::fromUserInput(trimmed);
    if (url.scheme() == QLatin1String("https"))
        return false;
    const QString host = url.host().isEmpty() ? trimmed : url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return false;
    const QHostAddress ip(host);
    return ip.isNull() || !ip.isLoopback();
}

QString CSiteAddress::PlainQuestion(const QString& address)
{
    return QStringLiteral("L'indirizzo del sito \"%1\" non è protetto (http://): la password del sito "
                          "viaggerebbe leggibile sulla rete.\nPer proteggerla scrivere l'indirizzo con "
                          "https:// nei parametri generali.\n\nContinuare comunque?")
        .arg(address);
}

QString CSiteAddress::PlainRefusal(const QString& address)
{
    return QStringLiteral("L'indirizzo del sito \"%1\" non è protetto (http://): la password del sito non è "
                          "stata inviata. Scrivere l'indirizzo con https:// nei parametri generali.")
        .arg(address);
}
