#include "recordset/CDaoIdBlocks.h"

#include "platform/dao/CDaoDatabase.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <QVariantList>

namespace {

const QString kOn = QStringLiteral("qtr.idblocks");

// [next, last, size of the last block] of a table, kept with the transaction.
QVariant& BlockOf(CDaoDatabase& database, const QString& table)
{
    return database.TransactionValue(kOn + QLatin1Char('/') + table.toLower());
}

} // namespace

void CDaoIdBlocks::TakeInBlocks(CDaoDatabase& database)
{
    if (database.TransactionDepth() > 0)
        database.TransactionValue(kOn) = true;
}

qint32 CDaoIdBlocks::Next(CDaoDatabase& database, const QString& table)
{
    CDaoSqlSession session(database);
    if (database.TransactionDepth() != 1 || !database.TransactionValue(kOn).toBool())
        return QtrIdAllocator::Next(session, table, QtrIdRange::Desktop);
    QVariant& kept = BlockOf(database, table);
    QVariantList block = kept.toList();
    if (block.size() == 3 && block.at(0).toInt() <= block.at(1).toInt()) {
        const qint32 id = block.at(0).toInt();
        block[0] = id + 1;
        kept = block;
        return id;
    }
    // One ID for a job that writes one row, then twice as many each time.
    const int size = block.size() == 3 ? qMin(block.at(2).toInt() * 2, kLargestBlock) : 1;
    const qint32 first = QtrIdAllocator::NextBlock(session, table, QtrIdRange::Desktop, size);
    kept = QVariantList{first + 1, first + size - 1, size};
    return first;
}
