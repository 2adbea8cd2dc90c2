#pragma once

#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoTransaction.h"

// The row steps every content editor takes on its table classes: open (or
// requery) a recordset on bound criteria, find a row by ID, and trade the
// order (Ordine) of two rows, both flagged for the site update.
class CContentRows
{
public:
    template <class TSet>
    static bool OpenWhere(TSet& set, const CDaoCriteria& criteria)
    {
        set.SetFilter(criteria);
        if (set.IsOpen())
            set.Requery();
        else
            set.Open();
        return !set.IsEOF();
    }

    static CDaoCriteria ById(qint32 id) { return CDaoCriteria::Format(QStringLiteral("ID=%d"), {id}); }

    template <class TSet>
    static bool FindById(TSet& set, qint32 id)
    {
        return OpenWhere(set, ById(id));
    }

    // A recordset on no row, ready for AddNew and GetNextID.
    template <class TSet>
    static void OpenEmpty(TSet& set)
    {
        set.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        set.Open();
    }

    // False when either row is gone.
    template <class TSet>
    static bool SwapOrder(CDaoDatabase& db, qint32 a, qint32 b)
    {
        TSet first(&db);
        TSet second(&db);
        if (!FindById(first, a) || !FindById(second, b))
            return false;
        const qint32 orderA = first.m_Ordine;
        const qint32 orderB = second.m_Ordine;
        CDaoTransaction transaction(db);
        first.Edit();
        first.m_Ordine = orderB;
        first.m_Modificato = true;
        first.Update();
        second.Edit();
        second.m_Ordine = orderA;
        second.m_Modificato = true;
        second.Update();
        transaction.Commit();
        return true;
    }
};
