#include "desktop/content/CArticoliAvanzateDlg.h"

#include "desktop/content/CArticoliViewCore.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

void Fill(QComboBox* combo, const QList<CArticoliViewCore::Entry>& entries)
{
    combo->clear();
    for (const CArticoliViewCore::Entry& entry : entries)
        combo->addItem(entry.strText, entry.nId);
}

// The entry whose data is id; the first ("Predefinito", "Nessuno") when
// there is none such.
void Choose(QComboBox* combo, qint32 id)
{
    const int index = combo->findData(id);
    combo->setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace

CArticoliAvanzateDlg::CArticoliAvanzateDlg(CArticoliViewCore& core, QWidget* parent)
    : QWidget(parent),
      m_core(core),
      m_pTemplates(new QComboBox(this)),
      m_pForms(new QComboBox(this)),
      m_pReply(new CValidatedEdit(this)),
      m_pTemplateButton(new QToolButton(this)),
      m_pReplyButton(new QToolButton(this))
{
    m_pReply->SetParam(0, -1, 0, 0);
    m_pReply->SetReadOnly(1);
    m_pTemplateButton->setText(QStringLiteral("..."));
    m_pReplyButton->setText(QStringLiteral("..."));
    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(m_pTemplates, 1);
    templateRow->addWidget(m_pTemplateButton);
    auto* replyRow = new QHBoxLayout;
    replyRow->addWidget(m_pReply, 1);
    replyRow->addWidget(m_pReplyButton);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Modello pagina"), templateRow);
    layout->addRow(QStringLiteral("Modulo"), m_pForms);
    layout->addRow(QStringLiteral("Articolo risposta modulo"), replyRow);
    connect(m_pTemplateButton, &QToolButton::clicked, this, &CArticoliAvanzateDlg::OnTemplates);
    connect(m_pReplyButton, &QToolButton::clicked, this, &CArticoliAvanzateDlg::OnReply);
}

void CArticoliAvanzateDlg::FillTemplates()
{
    Fill(m_pTemplates, m_core.Templates());
}

void CArticoliAvanzateDlg::FillForms()
{
    Fill(m_pForms, m_core.Forms());
}

void CArticoliAvanzateDlg::Pull() const
{
    ArticoloForm& form = m_core.Form();
    form.idTemplate = m_pTemplates->currentIndex() < 0 ? 0 : m_pTemplates->currentData().toInt();
    form.idModulo = m_pForms->currentIndex() < 0 ? 0 : m_pForms->currentData().toInt();
}

void CArticoliAvanzateDlg::Push()
{
    const ArticoloForm& form = m_core.Form();
    Choose(m_pTemplates, form.idTemplate);
    Choose(m_pForms, form.idModulo);
    m_pReply->SetValue(form.rispostaNome);
}

void CArticoliAvanzateDlg::SetEditingEnabled(bool on)
{
    m_pTemplates->setEnabled(on);
    m_pTemplateButton->setEnabled(on);
    m_pForms->setEnabled(on);
}

// Templates may have been added, changed or deleted: the list is filled
// again and the one chosen before stays chosen while it exists.
void CArticoliAvanzateDlg::OnTemplates()
{
    Pull();
    const qint32 kept = m_core.Form().idTemplate;
    if (m_editTemplates)
        m_editTemplates();
    m_core.ReadTemplates();
    FillTemplates();
    Choose(m_pTemplates, kept);
}

void CArticoliAvanzateDlg::OnReply()
{
    if (!m_pickReply)
        return;
    const qint32 chosen = m_pickReply(m_core.PickerSection());
    if (chosen < 0)
        return;
    m_core.ChooseReply(chosen);
    m_pReply->SetValue(m_core.Form().rispostaNome);
}
