#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QtGlobal>

// One recipient of a mailing, read from Clienti before the run starts.
struct MailingRecipient
{
    qint32 nID = 0;
    QString strLabel;      // "Ragione sociale (Nome Cognome) : email"
    QString strEmail;      // as stored
    QString strCellulare;  // as stored
    QString strLingua;     // the customer's language, else the default one
};

// Everything a send run needs, prepared on the window's thread: the run
// itself touches no database.
struct MailingJob
{
    using Texts = QMap<QString, QString>;   // language code -> text

    bool bMail = true;
    bool bSms = false;
    QString strSender;
    QString strServer;
    quint16 nPort = 25;
    QString strDefaultLanguage;
    Texts subject, body, signature, smsText, smsSender, promo;
    bool bInsertPromo = false;
    QList<MailingRecipient> recipients;

    // The entry of language, else of the default language, else empty.
    QString Text(const Texts& texts, const QString& language) const
    {
        const QString own = texts.value(language);
        return own.isEmpty() ? texts.value(strDefaultLanguage) : own;
    }
};
