#include "server/sms/SmsDocumento.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <stdexcept>

namespace {

// Control characters other than tab and line ends cannot stand in an XML
// document at all, escaped or not: they are left out.
QString Testo(const QString& valore)
{
    QString testo;
    testo.reserve(valore.size());
    for (const QChar c : valore)
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            testo.append(c);
    return testo.toHtmlEscaped();
}

QString Elemento(const QString& nome, const QString& valore)
{
    return QLatin1Char('<') + nome + QLatin1Char('>') + Testo(valore) + QStringLiteral("</") + nome + QLatin1Char('>');
}

[[noreturn]] void Rifiuta(const QString& motivo)
{
    throw std::runtime_error(QStringLiteral("Risposta del gateway SMS non valida: %1").arg(motivo).toStdString());
}

// The children of the element the reader stands on, each as its text: an
// element gives all the text inside it, a text node (not only blanks) its
// own text. The reader ends on the element's end.
QStringList Figli(QXmlStreamReader& xml)
{
    QStringList figli;
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.hasError()) {
        if (xml.isStartElement())
            figli.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        else if ((xml.isCharacters() || xml.isCDATA()) && !xml.isWhitespace())
            figli.append(xml.text().toString());
        else if (xml.atEnd())
            break;
    }
    return figli;
}

} // namespace

QString SmsDocumento::Documento(const QString& utente, const QString& password, const Messaggio& messaggio)
{
    return QStringLiteral("<?XML version=\"1.0\"?>") + QStringLiteral("<SMSMessage>")
           + QStringLiteral("<SMSAuthentication>") + Elemento(QStringLiteral("Username"), utente)
           + Elemento(QStringLiteral("Password"), password) + QStringLiteral("</SMSAuthentication>")
           + QStringLiteral("<SMSMessageData>") + Elemento(QStringLiteral("Originator"), messaggio.originator)
           + Elemento(QStringLiteral("Recipient"), messaggio.recipient)
           + QStringLiteral("<MessageType>0</MessageType>") + Elemento(QStringLiteral("MessageText"), messaggio.text)
           + QStringLiteral("<ControlData></ControlData>") + QStringLiteral("<DeliveryReport>N</DeliveryReport>")
           + QStringLiteral("</SMSMessageData>") + QStringLiteral("</SMSMessage>");
}

QByteArray SmsDocumento::Richiesta(const QString& utente, const QString& password, const Messaggio& messaggio)
{
    return QByteArrayLiteral("XML=") + Documento(utente, password, messaggio).toUtf8().toPercentEncoding();
}

SmsDocumento::Esito SmsDocumento::Risposta(const QByteArray& risposta)
{
    QXmlStreamReader xml(risposta);
    QStringList figli;
    bool trovato = false;
    while (!xml.atEnd() && !trovato) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("SMSGateway")) {
            trovato = true;
            figli = Figli(xml);
        }
    }
    // The rest is read too: a reply cut short or broken is not XML.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        Rifiuta(xml.errorString());
    if (!trovato)
        Rifiuta(QStringLiteral("manca l'elemento SMSGateway"));
    if (figli.size() < 3)
        Rifiuta(QStringLiteral("SMSGateway ha meno di tre elementi"));
    bool numero = false;
    Esito esito;
    esito.stato = figli.at(0).trimmed().toInt(&numero);
    if (!numero)
        Rifiuta(QStringLiteral("stato \"%1\" non numerico").arg(figli.at(0)));
    esito.messaggio = figli.at(2);
    return esito;
}
