#pragma once

#include <QByteArray>
#include <QString>

// The XML the SMS gateway takes and gives back. A message goes out as the
// form field "XML" holding one SMSMessage document; the gateway answers
// with an SMSGateway element whose first child is the status (0: accepted)
// and whose third is its message.
class SmsDocumento
{
public:
    struct Messaggio
    {
        QString originator;
        QString recipient;
        QString text;
    };

    struct Esito
    {
        int stato = -1;
        QString messaggio;
    };

    // The request body: "XML=" and the document, its values XML-escaped
    // and the whole URL-encoded, so no text typed on the desktop can close
    // an element or end the form field.
    static QByteArray Richiesta(const QString& utente, const QString& password, const Messaggio& messaggio);
    // Throws std::runtime_error when the reply is not XML, has no
    // SMSGateway element, fewer than three children in it, or a status
    // that is not a whole number.
    static Esito Risposta(const QByteArray& risposta);

    // The document alone, as Richiesta encodes it.
    static QString Documento(const QString& utente, const QString& password, const Messaggio& messaggio);
};
