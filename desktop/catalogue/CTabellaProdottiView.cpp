#include "desktop/catalogue/CTabellaProdottiView.h"

#include "desktop/shell/controls/CGridCtrl.h"

CTabellaProdottiView::CTabellaProdottiView(CDaoDatabase& database, const QString& currentLanguage,
                                           const QString& defaultLanguage, QWidget* parent)
    : COrderedTableView(parent), m_core(database, *Grid())
{
    Build(m_core,
          {QStringLiteral("Tabella prodotti"), QStringLiteral("Categorie"), QStringLiteral("Tutte le categorie")},
          CRecordTree::Categories(database, currentLanguage, defaultLanguage), currentLanguage, defaultLanguage);
}
