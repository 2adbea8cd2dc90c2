#include "desktop/orders/COrderTextView.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

COrderTextView::COrderTextView(CDaoDatabase& db, COrderTextViewCore::Kind kind, const QString& currentLanguage,
                               const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_core(db, kind, defaultLanguage), m_pText(new QPlainTextEdit(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    resize(520, 360);
    Show(m_core.LoadText(currentLanguage));
}

void COrderTextView::Show(const std::optional<QString>& text)
{
    if (text)
        m_pText->setPlainText(*text);
}

bool COrderTextView::IsRecordModified()
{
    return m_core.IsTextModified(m_pText->toPlainText());
}

bool COrderTextView::SaveRecord()
{
    m_core.SaveText(m_pText->toPlainText());
    return true;
}

void COrderTextView::RefreshLanguage()
{
    if (m_currentLanguage)
        Show(m_core.RefreshLanguage(m_pText->toPlainText(), m_currentLanguage()));
}
