#pragma once

#include "desktop/customers/MailingJob.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class CDaoDatabase;

// The rules of "Invio mailing list" without widgets: the texts per
// language kept while the view is open, the settings of mailing.ini, the
// recipients chosen by interests and user kinds, the text of the products
// flagged for mailing, the checks before a run and the job the run is
// given (CMailingInvio sends it).
class CMailingViewCore
{
public:
    // What the message page shows: the texts of the shown language and the
    // settings that hold for every language.
    struct Messaggio
    {
        QString strSms;
        QString strServer;
        QString strSubject;
        QString strSender;
        QString strSignature;
        QString strBody;
        bool bInsertPromo = false;
    };
    struct Check
    {
        qint32 nID = 0;
        QString strText;
        bool bChecked = false;
    };

    static const QStringList& KindTexts();
    static const QStringList& PromoFields();

    CMailingViewCore(CDaoDatabase& db, const QString& projectFolder, const QString& currentLanguage,
                     const QString& defaultLanguage);

    Messaggio& Message() { return m_msg; }
    QString& ProductUrl() { return m_strUrl; }
    QList<Check>& Kinds() { return m_kinds; }
    QList<Check>& Interests() { return m_interests; }
    QList<Check>& Fields() { return m_fields; }
    const QString& Language() const { return m_strLanguage; }
    const MailingJob::Texts& SmsSenders() const { return m_smsSender; }

    // Files the shown texts under the shown language, shows language's.
    void RefreshLanguage(const QString& language);

    // The recipients query: its text with a "?" per value, and the values.
    QString BuildRecipientsSql(QVariantList& values) const;
    QList<MailingRecipient> Recipients() const;
    // "Visualizza Utenti": the labels, or empty after "Nessun utente selezionato.".
    QStringList ShowRecipients() const;
    static QString Label(const QString& ragioneSociale, const QString& nome, const QString& cognome,
                         const QString& email);

    bool HasPromoProducts() const;
    // The flagged products' text in language (empty: the shown one).
    QString BuildPromoText(const QString& language = QString()) const;

    // The checks before a run, each with its message; false stops it.
    bool Validate(bool mail, bool sms);
    // The job of a run that passed the checks.
    MailingJob PrepareJob(bool mail, bool sms);

    void WriteIni() const;

private:
    void ReadIni();
    void LoadSmsSenders();
    void LoadInterests();
    QStringList ActiveLanguages() const;
    bool Refuse(const QString& text) const;

    CDaoDatabase& m_db;
    QString m_strFolder;
    QString m_strDefault;
    QString m_strLanguage;
    Messaggio m_msg;
    QString m_strUrl;
    MailingJob::Texts m_subject, m_body, m_signature, m_sms, m_smsSender, m_promo;
    QList<Check> m_kinds;
    QList<Check> m_interests;
    QList<Check> m_fields;
};
