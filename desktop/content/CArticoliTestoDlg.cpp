#include "desktop/content/CArticoliTestoDlg.h"

#include "desktop/content/ArticoloForm.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QFormLayout>
#include <QPlainTextEdit>

CArticoliTestoDlg::CArticoliTestoDlg(QWidget* parent)
    : QWidget(parent),
      m_pTitolo(new CValidatedEdit(this)),
      m_pAutore(new CValidatedEdit(this)),
      m_pSottotitolo(new QPlainTextEdit(this)),
      m_pTesto(new QPlainTextEdit(this))
{
    m_pTitolo->SetParam(0, -1, 0, 0);
    m_pAutore->SetParam(0, 255, 1, 0);
    m_pSottotitolo->setMaximumHeight(4 * fontMetrics().lineSpacing() + 12);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Titolo"), m_pTitolo);
    layout->addRow(QStringLiteral("Autore"), m_pAutore);
    layout->addRow(QStringLiteral("Sottotitolo"), m_pSottotitolo);
    layout->addRow(QStringLiteral("Testo"), m_pTesto);
}

void CArticoliTestoDlg::Pull(ArticoloForm& form) const
{
    m_pTitolo->GetValue(form.titolo);
    m_pAutore->GetValue(form.autore);
    form.sottotitolo = m_pSottotitolo->toPlainText();
    form.testo = m_pTesto->toPlainText();
}

void CArticoliTestoDlg::Push(const ArticoloForm& form)
{
    m_pTitolo->SetValue(form.titolo);
    m_pAutore->SetValue(form.autore);
    if (m_pSottotitolo->toPlainText() != form.sottotitolo)
        m_pSottotitolo->setPlainText(form.sottotitolo);
    if (m_pTesto->toPlainText() != form.testo)
        m_pTesto->setPlainText(form.testo);
}

void CArticoliTestoDlg::SetEditingEnabled(bool on)
{
    for (QWidget* edit : {static_cast<QWidget*>(m_pTitolo), static_cast<QWidget*>(m_pAutore),
                          static_cast<QWidget*>(m_pSottotitolo), static_cast<QWidget*>(m_pTesto)})
        edit->setEnabled(on);
}
