#include "desktop/content/CTabellaArticoliView.h"

#include "desktop/shell/controls/CGridCtrl.h"

CTabellaArticoliView::CTabellaArticoliView(CDaoDatabase& database, const QString& currentLanguage,
                                           const QString& defaultLanguage, QWidget* parent)
    : COrderedTableView(parent), m_core(database, *Grid())
{
    Build(m_core,
          {QStringLiteral("Tabella articoli"), QStringLiteral("Sezione"), QStringLiteral("Tutte le sezioni")},
          CRecordTree::Sections(database, currentLanguage, defaultLanguage), currentLanguage, defaultLanguage);
}
