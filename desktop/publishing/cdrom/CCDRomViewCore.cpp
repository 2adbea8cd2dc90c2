#include "desktop/publishing/cdrom/CCDRomViewCore.h"

#include "recordset/CClientiSet.h"
#include "recordset/COrdiniGeneraleSet.h"

#include <QDir>
#include <QProcess>
#include <QSettings>

namespace {

const QString kViewerSetting = QStringLiteral("ComandoVisualizzatoreCD");

} // namespace

const QStringList& CCDRomViewCore::Kinds()
{
    static const QStringList kinds = {QStringLiteral("B2B"), QStringLiteral("B2C"), QStringLiteral("Mailing"),
                                      QStringLiteral("Agente")};
    return kinds;
}

CCDRomViewCore::CCDRomViewCore(CDaoDatabase& database, const QString& projectFolder, const QString& installFolder)
    : m_db(database), m_strProjectFolder(projectFolder), m_strInstallFolder(installFolder)
{
}

QString CCDRomViewCore::CustomerText(const QString& company, const QString& surname, const QString& name,
                                     const QString& userId)
{
    QString text = company.trimmed();
    if (!text.isEmpty() && (!surname.isEmpty() || !name.isEmpty()))
        text += QStringLiteral(", ");
    text = (text + surname).trimmed();
    text = (text + QLatin1Char(' ') + name).trimmed();
    if (!text.isEmpty() && !userId.isEmpty())
        text += QStringLiteral(", ");
    return (text + userId).trimmed();
}

QList<CCDRomViewCore::Customer> CCDRomViewCore::Customers(int kind) const
{
    QList<Customer> customers{{0, QString(), QStringLiteral("Utente Anonimo")}};
    CClientiSet rows(&m_db);
    rows.m_strFilter = QStringLiteral("TipoUtente=? AND ID<>0");
    rows.m_filterParams = {kind};
    rows.m_strSort = QStringLiteral("RagioneSociale,Cognome,UserID");
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext())
        customers.append({rows.m_ID, rows.m_UserID,
                          CustomerText(rows.m_RagioneSociale, rows.m_Cognome, rows.m_Nome, rows.m_UserID)});
    rows.Close();
    return customers;
}

QList<CCDRomViewCore::Order> CCDRomViewCore::Orders(qint32 customerId) const
{
    QList<Order> orders;
    COrdiniGeneraleSet rows(&m_db);
    rows.m_strFilter = QStringLiteral("IDCliente=?");
    rows.m_filterParams = {customerId};
    rows.m_strSort = QStringLiteral("ID DESC");
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const QDate date = rows.m_Data.date();
        orders.append({rows.m_ID, QStringLiteral(" Ordine n. %1 del %2/%3/%4")
                                      .arg(rows.m_NumOrdine)
                                      .arg(date.day(), 2, 10, QLatin1Char('0'))
                                      .arg(date.month(), 2, 10, QLatin1Char('0'))
                                      .arg(date.year(), 4, 10, QLatin1Char('0'))});
    }
    rows.Close();
    return orders;
}

QString CCDRomViewCore::ImageFolder(const Customer& customer) const
{
    return CCdImageBuilder::ImageFolder(m_strProjectFolder, customer.id, customer.userId);
}

bool CCDRomViewCore::DemoEnabled(const Customer& customer) const
{
    return DemoOffered() && QDir(ImageFolder(customer)).exists();
}

bool CCDRomViewCore::LaunchViewer(const Customer& customer) const
{
    QStringList words = QProcess::splitCommand(ViewerCommand());
    if (words.isEmpty() || !DemoEnabled(customer))
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words, ImageFolder(customer) + QStringLiteral("/install"));
}

CCdImageBuilder::Request CCDRomViewCore::MakeRequest(const Customer& customer, const QList<qint32>& orderIds,
                                                     const QString& defaultLanguage) const
{
    CCdImageBuilder::Request request;
    request.projectFolder = m_strProjectFolder;
    request.installFolder = m_strInstallFolder;
    request.customerId = customer.id;
    request.customerUserId = customer.userId;
    request.orderIds = orderIds;
    request.defaultLanguage = defaultLanguage;
    return request;
}

QString CCDRomViewCore::ViewerCommand()
{
    return QSettings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50")).value(kViewerSetting).toString().trimmed();
}

void CCDRomViewCore::SetViewerCommand(const QString& command)
{
    QSettings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50")).setValue(kViewerSetting, command);
}
