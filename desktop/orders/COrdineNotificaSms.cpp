#include "desktop/orders/COrdineNotificaSms.h"

#include "desktop/customers/CSmsRequests.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "recordset/sync/SyncProtocol.h"

COrdineNotificaSms::COrdineNotificaSms(CDaoDatabase& db, const QString& defaultLanguage)
    : m_db(db), m_strDefaultLanguage(defaultLanguage)
{
}

QString COrdineNotificaSms::Text(const QString& header, const QString& orderNumber, const COrdineStati::Entry& entry)
{
    return header + QLatin1Char(' ') + QStringLiteral("Ordine n. ") + orderNumber + QLatin1Char(' ') + entry.strData
           + QLatin1Char(' ') + entry.strOra + QLatin1Char(' ') + entry.strStato;
}

void COrdineNotificaSms::Offer(const QString& mobile, const QString& orderNumber, const QString& orderLanguage,
                               const COrdineStati::Entry& entry)
{
    if (mobile.isEmpty())
        return;
    if (CMessageBox::Show(nullptr, QStringLiteral("Vuoi inviare notifica SMS ?"), QStringLiteral("Notifica nuovo stato"),
                          CMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    SmsSettings settings;
    if (!CSmsRequests::LoadSmsSettings(m_db, settings))
        return;
    const QString header =
        CSmsRequests::SenderName(m_db, orderLanguage, m_strDefaultLanguage, QStringLiteral("NotificaSMS"));
    const CSmsRequests::Reply reply = CSmsRequests::Send(settings, header, mobile, Text(header, orderNumber, entry));
    if (!reply.bContacted)
        CMessageBox::Show(nullptr, QString(SyncProtocol::kServerUnreachable), QStringLiteral("Invio SMS"),
                          CMessageBox::Exclamation);
    if (!CSmsRequests::IsSent(reply.strReply))
        CMessageBox::Show(nullptr, QStringLiteral("ERRORE:\n\n") + reply.strReply, QStringLiteral("Invio SMS"),
                          CMessageBox::Exclamation);
}
