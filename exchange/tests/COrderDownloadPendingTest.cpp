#include "exchange/COrderDownloadPending.h"
#include "platform/dao/CDaoException.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <csignal>
#include <sys/resource.h>

namespace {

using Item = COrderDownloadPending::Item;

QList<Item> List(int orders)
{
    QList<Item> items;
    for (int n = 1; n <= orders; ++n) {
        items.append({'E', "Ordini", QString::number(1000000010 + n), QString()});
        items.append({'R', "Ordini", QString::number(1000000010 + n), "3f2a9c0e5b7d41a8c6e2f0b9d4a7c1e3"});
    }
    items.append({'D', "Clienti", "40", QString()});
    return items;
}

bool Same(const QList<Item>& a, const QList<Item>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].table != b[i].table || a[i].id != b[i].id || a[i].version != b[i].version)
            return false;
    }
    return true;
}

// Files may grow only to a few bytes while it lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

TEST(OrderDownloadPending, ItemsReadBackAsWrittenAndListsOfEarlierRunsStillRead)
{
    TempFolder folder;
    const QString file = folder.FilePath("conferme");
    COrderDownloadPending::Write(file, List(3));
    EXPECT_TRUE(Same(COrderDownloadPending::Read(file), List(3)));
    EXPECT_TRUE(COrderDownloadPending::Read(folder.FilePath("assente")).isEmpty());

    folder.WriteFile("vecchio", "R|Ordini|1000000011\nD|Clienti|40\n");
    const QList<Item> old = COrderDownloadPending::Read(folder.FilePath("vecchio"));
    ASSERT_EQ(old.size(), 2);
    EXPECT_EQ(old[0].id, "1000000011");
    EXPECT_TRUE(old[0].version.isEmpty());
}

// The list shrinks on disk after every confirmation; a rewrite that cannot
// finish must leave the last whole list, or the next run would confirm a
// cut ID or forget what is left.
TEST(OrderDownloadPending, ARewriteThatCannotFinishLeavesTheFormerListWhole)
{
    TempFolder folder;
    const QString file = folder.FilePath("conferme");
    COrderDownloadPending::Write(file, List(1));
    {
        FileSizeLimit limit(60);
        EXPECT_THROW(COrderDownloadPending::Write(file, List(4)), CDaoException);
    }
    EXPECT_TRUE(Same(COrderDownloadPending::Read(file), List(1)));
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"conferme"}) << "nothing left aside";
}

} // namespace
