#pragma once

#include "desktop/catalogue/ProdottoForm.h"

#include <QString>
#include <QVariantList>
#include <QVector>

class CDaoDatabase;

// The products the card pages through, in the merchant's order: only
// their IDs, read once per filter, and the position of the one shown. The
// card reads and writes the shown product through its table class, one
// row at a time, so a catalogue of any size opens at once.
class CProdottiElenco
{
public:
    explicit CProdottiElenco(CDaoDatabase& database) : m_db(database) {}

    // The products that condition selects (a "?" for each value).
    void Load(const QString& condition, const QVariantList& values);
    // The products of base (0: the catalogue) that a filter being entered
    // selects: flags that are not indeterminate, a category (0 any), code
    // and bar-code prefixes. The prefixes are bound and their "%", "_" and
    // "!" escaped, so "A_1" finds only codes that begin with "A_1".
    void LoadFiltered(qint32 base, const ProdottoForm& form, qint32 category);
    // Reads them again under the same condition.
    void Reload() { Load(m_strCondition, m_values); }

    int Count() const { return m_ids.size(); }
    bool IsEmpty() const { return m_ids.isEmpty(); }
    // 0-based; -1 when there is no product.
    int Position() const { return m_nPos; }
    qint32 Current() const { return m_nPos >= 0 ? m_ids.at(m_nPos) : 0; }
    bool IsFirst() const { return m_nPos <= 0; }
    bool IsLast() const { return m_nPos < 0 || m_nPos + 1 >= m_ids.size(); }

    void MoveFirst() { m_nPos = m_ids.isEmpty() ? -1 : 0; }
    void MoveLast() { m_nPos = int(m_ids.size()) - 1; }
    void MovePrev() { if (m_nPos > 0) --m_nPos; }
    void MoveNext() { if (m_nPos + 1 < m_ids.size()) ++m_nPos; }
    // Goes to id; false (and no move) when it is not in the list.
    bool Find(qint32 id);
    // The shown product is gone: the next one is shown, or the last.
    void RemoveCurrent();

private:
    CDaoDatabase& m_db;
    QString m_strCondition;
    QVariantList m_values;
    QVector<qint32> m_ids;
    int m_nPos = -1;
};
