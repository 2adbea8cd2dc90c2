#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <atomic>

class CDaoDatabase;
class ICatalogueProgress;

// Cuts the image's copy of the shop database down to what one customer may
// see and strips the merchant's private data. Every deletion goes through
// the table class, so its cascade removes the dependent rows and, under the
// image's own folder (never the project's), the files of deleted rows.
// Tracking is off: nothing is stamped and no site-update marker is raised.
class CCdDatabasePruner
{
public:
    // imageInstallFolder ends with "/": the folder whose website/images the
    // cascades clean. orderIds: the chosen orders (empty: no selection).
    CCdDatabasePruner(CDaoDatabase& copy, const QString& imageInstallFolder, qint32 customerId,
                      const QList<qint32>& orderIds, ICatalogueProgress& progress, const std::atomic<bool>& stop);

    // False when stopped.
    bool Run();

private:
    template <class TSet> bool DeleteRows(const QString& caption, const QString& idQuery, const QVariantList& params = {});
    bool DeleteCustomers();
    bool DeleteGroups();
    bool DeleteHiddenItems();
    bool DeleteOutsideOrders();
    bool DeleteEmptyCategories();
    void ClearPrivateTables();
    QList<qint32> Ids(const QString& sql, const QVariantList& params = {});

    CDaoDatabase& m_db;
    QString m_strFolder;
    qint32 m_nCustomer;
    QList<qint32> m_orders;
    ICatalogueProgress& m_progress;
    const std::atomic<bool>& m_stop;
};
