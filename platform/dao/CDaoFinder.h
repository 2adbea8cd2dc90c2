#pragma once

#include <QString>
#include <QVariantList>
#include <QVector>

class CDaoDatabase;
class CDaoKeyset;
class CDaoStatement;

// The Find family over an open dynaset's rows: criteria in the Access
// dialect with "?" marks for their values. Keyed rows are found by the
// engine among the statement's rows; rows that stand for no table row are
// tested one by one on their values.
class CDaoFinder
{
public:
    CDaoFinder(CDaoDatabase& database, const CDaoStatement& statement, const CDaoKeyset& keyset,
               const QVariantList& params)
        : m_database(database), m_statement(statement), m_keyset(keyset), m_params(params)
    {
    }

    // The first live row the criteria select from start on, going in
    // direction (+1 or -1); -1 when none does.
    int Find(int start, int direction, const QString& criteria, const QVariantList& values) const;

private:
    QVector<int> Matching(const QString& criteria, const QVariantList& values) const;
    QVector<int> MatchingKeys(const QString& criteria, const QVariantList& values) const;
    QVector<int> MatchingValues(const QString& criteria, const QVariantList& values) const;

    CDaoDatabase& m_database;
    const CDaoStatement& m_statement;
    const CDaoKeyset& m_keyset;
    const QVariantList& m_params;
};
