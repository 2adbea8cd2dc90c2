#pragma once

#include "desktop/shell/controls/COrderedTableCore.h"

// The rules of "Tabella articoli": the articles of one section (or all)
// as a COrderedTableCore, each with its code, one of its texts in the
// editing language, its three publication dates and "Attivo"; only the
// article's own row is written.
class CTabellaArticoliCore : public COrderedTableCore
{
public:
    enum Text { Titolo = 0, Sottotitolo, Testo, Autore };

    CTabellaArticoliCore(CDaoDatabase& database, CGridCore& grid);

    void ChooseSection(qint32 id) { ChooseGroup(id); }
    qint32 Section() const { return Group(); }
    void ChooseText(int text) { ChooseShownText(text); }
    static QStringList TextNames();
    QStringList ShownTextNames() const override { return TextNames(); }
    void ChooseShownText(int index) override;

    int ArticleCount() const { return EntryCount(); }
    // The article of grid row row (from 1); 0 when none.
    qint32 ArticleAt(int row) const { return EntryAt(row); }

private:
    void SetColumns() override;
    QString HeaderRow() const override;
    QVector<Entry> LoadEntries(qint32 section) override;
    void FillRow(int row, const Entry& article) override;
    QStringList RowState(int row) override;
    void WriteRow(int row, qint32 id) override;
    void TradeOrder(const Entry& a, const Entry& b) override;
};
