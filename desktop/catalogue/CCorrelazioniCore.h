#pragma once

#include "desktop/catalogue/IPickerTicks.h"
#include "desktop/shell/controls/CRecordTree.h"

#include <QString>
#include <QVector>

#include <memory>

class CCorrelazioniSet;
class CDaoDatabase;

// The rules of the correlations dialog: the links (table Correlazioni)
// between one record, the owner (a product, an article or a banner), and
// categories, products, sections, articles and banners. A link is one row
// in either direction; new rows carry the owner on side 1. Every tick is
// written at once.
class CCorrelazioniCore : public IPickerTicks
{
public:
    // Record kinds, as Correlazioni.Tipo1 and Tipo2 keep them.
    enum Kind { Categoria = 0, Prodotto = 1, Sezione = 2, Articolo = 3, Banner = 4 };

    CCorrelazioniCore(CDaoDatabase& db, int ownerKind, qint32 ownerId, const QString& ownerName);
    ~CCorrelazioniCore() override;

    CDaoDatabase& Database() override { return m_db; }
    int OwnerKind() const override { return m_nOwnerKind; }
    qint32 OwnerId() const override { return m_nOwnerId; }
    // "Correlazione prodotto <name>", "... articolo ...", "... banner ...".
    QString Caption() const;

    bool IsLinked(int kind, qint32 id) override;
    // Adds the link when there is none, else deletes it (deletion log);
    // returns whether a link exists afterwards.
    bool Toggle(int kind, qint32 id);
    // Makes the link exist or not, as a tick says.
    void SetLinked(int kind, qint32 id, bool linked) override;

    // False, after "Non è possibile la correlazione tra banner!", when the
    // tab of kind may not be shown for this owner.
    bool MayShowTab(int kind) const;

    // The category tree in the default language; the section tree in the
    // editing language, else the default one. No root item.
    static QVector<TreeNode> CategoryTree(CDaoDatabase& db, const QString& defaultLanguage);
    static QVector<TreeNode> SectionTree(CDaoDatabase& db, const QString& language, const QString& defaultLanguage);

private:
    bool FindLink(int kind, qint32 id);

    CDaoDatabase& m_db;
    int m_nOwnerKind;
    qint32 m_nOwnerId;
    QString m_strOwnerName;
    std::unique_ptr<CCorrelazioniSet> m_pCorrelazioni;
};
