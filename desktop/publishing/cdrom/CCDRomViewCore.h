#pragma once

#include "desktop/publishing/cdrom/CCdImageBuilder.h"

#include <QList>
#include <QString>
#include <QStringList>

class CDaoDatabase;

// The rules of the CD edition view: the customers of a kind, the orders of
// one, the image's name and folder, whether "Ordini" and "Demo CD" are
// offered, and the build request. The viewer is a program outside the
// system: "Demo CD" runs the command configured under the setting
// "ComandoVisualizzatoreCD" in the image's install folder, and is not
// offered while none is configured.
class CCDRomViewCore
{
public:
    struct Customer
    {
        qint32 id = 0;
        QString userId;
        QString text;
    };
    struct Order
    {
        qint32 id = 0;
        QString text;
    };

    static constexpr int kAgent = 3;
    static const QStringList& Kinds();   // "B2B", "B2C", "Mailing", "Agente"

    CCDRomViewCore(CDaoDatabase& database, const QString& projectFolder, const QString& installFolder);

    // "Utente Anonimo" first, then the customers of the kind by company,
    // surname and user ID.
    QList<Customer> Customers(int kind) const;
    static QString CustomerText(const QString& company, const QString& surname, const QString& name,
                                const QString& userId);
    QList<Order> Orders(qint32 customerId) const;

    static bool OrdersEnabled(int kind) { return kind != kAgent; }
    QString ImageFolder(const Customer& customer) const;
    bool DemoOffered() const { return !ViewerCommand().isEmpty(); }
    bool DemoEnabled(const Customer& customer) const;
    // False when no viewer is configured or it could not be started.
    bool LaunchViewer(const Customer& customer) const;

    CCdImageBuilder::Request MakeRequest(const Customer& customer, const QList<qint32>& orderIds,
                                         const QString& defaultLanguage) const;

    static QString ViewerCommand();
    static void SetViewerCommand(const QString& command);

private:
    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    QString m_strInstallFolder;
};
