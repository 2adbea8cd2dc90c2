#include "exchange/COrderDownload.h"
#include "exchange/QtrUpdDatiState.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>

namespace {

// A deletion notice in the shop's log, and whether the download may apply
// it to the merchant's project: only rows of the tables the shop writes.
struct Notice
{
    const char* table;
    qint32 id;
    bool applied;
};

const Notice kNotices[] = {
    {"Clienti", 900001, true},
    {"Ordini", 900002, true},
    {"Prodotti", 900003, false},
    {"Categorie", 900004, false},
    {"Dizionario", 900005, false},
    {"Lingue", 900006, false},
};

TEST(DeletionNoticeRoad, OnlyTheTablesTheShopWritesAreDeletedByItsNotices)
{
    RoadShop shop;
    RoadProject project;
    shop.Start();
    project.PointAt(shop.Port(), "pa&ss=1");
    for (const Notice& notice : kNotices) {
        project.Db().Execute(QString("INSERT INTO %1 (ID) VALUES (?)").arg(notice.table), {notice.id});
        shop.Execute("INSERT INTO RecordsEliminati (NomeTabella, IDRecord) VALUES (?, ?)", {notice.table, notice.id});
    }

    PasswordDwn.clear();
    COrderDownload job;
    job.InitVarDwLoad(nullptr, project.Folder(), &project.Db());
    job.StartDwLoad();
    QFile log(project.Folder() + "/qtrdwn.log");
    log.open(QIODevice::ReadOnly);
    const QString logText = QString::fromUtf8(log.readAll());
    ASSERT_EQ(job.LastResult(), COrderDownload::Result::Done) << logText.toStdString();

    for (const Notice& notice : kNotices) {
        SCOPED_TRACE(notice.table);
        QSqlQuery query(project.Db().Connection());
        ASSERT_TRUE(query.exec(QString("SELECT COUNT(*) FROM %1 WHERE ID=%2").arg(notice.table).arg(notice.id)));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toInt(), notice.applied ? 0 : 1);
        EXPECT_EQ(logText.contains(QString("%1 %2").arg(notice.table).arg(notice.id)), !notice.applied);
    }
    // Every notice was answered: none comes back at the next download.
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM RecordsEliminati").toInt(), 0);
}

} // namespace
