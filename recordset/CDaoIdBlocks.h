#pragma once

#include <QString>

class CDaoDatabase;

// Row IDs of the desktop's range for a long job that writes thousands of
// rows in one transaction (an import on its working copy): after the job
// asks for it, the IDs come from the allocator a block at a time, growing
// from one ID to a few hundred, instead of one statement per row. The
// blocks live as long as the transaction: a rollback takes the counter
// back with them, a commit leaves the unused rest of the last block as a
// gap (no ID is ever handed out twice). Only IDs asked for with no
// savepoint open come from a block, so undoing a failed step never undoes
// a block the job still draws from.
class CDaoIdBlocks
{
public:
    // From now until the outermost transaction of database ends.
    static void TakeInBlocks(CDaoDatabase& database);
    // The next ID of table: from the job's block when blocks are on,
    // otherwise one at a time.
    static qint32 Next(CDaoDatabase& database, const QString& table);

private:
    static constexpr int kLargestBlock = 256;
};
