#include "desktop/content/CForumView.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoException.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QPlainTextEdit>

namespace {

struct FieldLook
{
    const char* label;
    quint8 kind;
    int width;
};

const FieldLook kFields[CForumView::FieldCount] = {
    {"Argomento", CValueFormat::Text, 50},     {"Data", CValueFormat::Date, 8},
    {"Ora", CValueFormat::Time, 8},            {"Mittente", CValueFormat::Text, 50},
    {"Email mittente", CValueFormat::Text, 80}, {"Oggetto", CValueFormat::Text, 250},
};

} // namespace

CForumView::CForumView(CDaoDatabase& database, const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_core(database, defaultLanguage)
{
    auto* form = new QFormLayout(this);
    m_pAttivo = new QCheckBox(QStringLiteral("Attivo"), this);
    for (int i = 0; i < FieldCount; ++i) {
        m_edits[i] = new CValidatedEdit(this);
        m_edits[i]->SetParam(kFields[i].kind, kFields[i].width, 0, 0);
        if (i != Oggetto)
            m_edits[i]->SetReadOnly(1);
        form->addRow(QString::fromUtf8(kFields[i].label), m_edits[i]);
        if (i == Argomento)
            form->addRow(QString(), m_pAttivo);
    }
    m_pTesto = new QPlainTextEdit(this);
    m_pNote = new QPlainTextEdit(this);
    form->addRow(QStringLiteral("Testo intervento"), m_pTesto);
    form->addRow(QStringLiteral("Note del moderatore"), m_pNote);
    m_pOnly = new QCheckBox(QStringLiteral("Mostra solo interventi da moderare"), this);
    form->addRow(QString(), m_pOnly);
    connect(m_pOnly, &QCheckBox::clicked, this, [this](bool on) {
        Pull();
        Guard([&] {
            if (m_core.IsRecordModified())
                m_core.SaveRecord();
            m_core.ApplyFilter(on);
        });
    });
    Guard([this] { m_core.Start(); });
}

template <typename F>
void CForumView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Interventi Forum"), CMessageBox::Stop);
    }
    Refresh();
}

void CForumView::Pull()
{
    if (m_bRefreshing)
        return;
    CForumViewCore::Form& form = m_core.GetForm();
    form.attivo = m_pAttivo->isChecked();
    m_edits[Oggetto]->GetValue(form.oggetto);
    form.testo = m_pTesto->toPlainText();
    form.noteModeratore = m_pNote->toPlainText();
}

void CForumView::Refresh()
{
    m_bRefreshing = true;
    const CForumViewCore::Form& form = m_core.GetForm();
    const bool on = m_core.HasPost();
    m_edits[Argomento]->SetValue(form.argomento);
    for (const auto& [field, value] : {std::pair{Data, form.data}, std::pair{Ora, form.ora}}) {
        if (on && value.isValid())
            m_edits[field]->SetValue(value);
        else
            m_edits[field]->SetValue(QString());
    }
    m_edits[Mittente]->SetValue(form.mittente);
    m_edits[EmailMittente]->SetValue(form.emailMittente);
    m_edits[Oggetto]->SetValue(form.oggetto);
    m_pAttivo->setChecked(form.attivo);
    m_pTesto->setPlainText(form.testo);
    m_pNote->setPlainText(form.noteModeratore);
    m_pOnly->setChecked(m_core.OnlyToModerate());
    for (QWidget* widget : {static_cast<QWidget*>(m_pAttivo), static_cast<QWidget*>(m_pTesto),
                            static_cast<QWidget*>(m_pNote)})
        widget->setEnabled(on);
    for (CValidatedEdit* edit : m_edits)
        edit->setEnabled(on);
    m_bRefreshing = false;
}

bool CForumView::IsRecordModified()
{
    Pull();
    return m_core.IsRecordModified();
}

bool CForumView::SaveRecord()
{
    Pull();
    bool saved = false;
    Guard([&] { saved = m_core.SaveRecord(); });
    return saved;
}

bool CForumView::IsViewCommandEnabled(int id)
{
    return m_core.IsCommandEnabled(id);
}

void CForumView::OnViewCommand(int id)
{
    Pull();
    Guard([&] { m_core.OnCommand(id); });
}
