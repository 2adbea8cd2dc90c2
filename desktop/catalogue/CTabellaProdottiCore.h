#pragma once

#include "desktop/shell/controls/COrderedTableCore.h"

class CProdottiLingueSet;

// The rules of the product price table: the products of one category (or
// all) as a COrderedTableCore, each with its code, a description and the
// four list prices of the editing language.
//
// Prices belong to the language row (each language has its own currency):
// they are always written into the editing language's row, which is made
// from the default language's texts when the product has none yet.
class CTabellaProdottiCore : public COrderedTableCore
{
public:
    enum Description { Nome = 0, DescrizioneFattura, DescrizioneBreve, DescrizioneEstesa };

    CTabellaProdottiCore(CDaoDatabase& database, CGridCore& grid);
    ~CTabellaProdottiCore() override;

    void ChooseCategory(qint32 id) { ChooseGroup(id); }
    qint32 Category() const { return Group(); }
    void ChooseDescription(int description) { ChooseShownText(description); }
    static QStringList DescriptionNames();
    QStringList ShownTextNames() const override { return DescriptionNames(); }
    void ChooseShownText(int index) override;

    int ProductCount() const { return EntryCount(); }

private:
    void SetColumns() override;
    QString HeaderRow() const override;
    QVector<Entry> LoadEntries(qint32 category) override;
    void FillRow(int row, const Entry& product) override;
    QStringList RowState(int row) override;
    void WriteRow(int row, qint32 productId) override;
    void TradeOrder(const Entry& a, const Entry& b) override;
    bool FindLanguageRow(CProdottiLingueSet& rows, qint32 productId, const QString& language);
};
