#include "desktop/content/CModelliCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoCriteria.h"
#include "recordset/CTemplateSet.h"

namespace {

CDaoCriteria ById(qint32 id)
{
    return CDaoCriteria::Format(QStringLiteral("ID=%d"), {id});
}

} // namespace

CModelliCore::CModelliCore(CDaoDatabase& database) : m_db(database)
{
    Read();
}

void CModelliCore::Read()
{
    m_templates.clear();
    CTemplateSet templates(&m_db);
    templates.Open();
    for (; !templates.IsEOF(); templates.MoveNext())
        m_templates.append({templates.m_ID, templates.m_Descrizione});
}

void CModelliCore::Blank()
{
    m_nSelected = -1;
    m_fields = Fields();
}

void CModelliCore::Select(int index)
{
    Blank();
    if (index < 0 || index >= m_templates.size())
        return;
    CTemplateSet row(&m_db);
    row.SetFilter(ById(m_templates.at(index).nId));
    row.Open();
    if (row.IsEOF())
        return;
    m_nSelected = index;
    m_fields = {row.m_Codice, row.m_Descrizione};
}

CModelliCore::Refusal CModelliCore::Check(Fields& fields, qint32 self) const
{
    fields.descrizione = fields.descrizione.left(kDescriptionLength);
    fields.codice = fields.codice.trimmed().toUpper().left(kCodeLength);
    if (fields.descrizione.trimmed().isEmpty())
        return {QStringLiteral("Campo obbligatorio!"), DescrizioneField};
    if (!fields.codice.isEmpty() && (fields.codice.at(0) < QLatin1Char('A') || fields.codice.at(0) > QLatin1Char('Z')))
        return {QStringLiteral("Il primo carattere del codice non può essere un numero!"), CodiceField};
    // Only a given code must be unique: many templates have none.
    if (!fields.codice.isEmpty()) {
        CTemplateSet others(&m_db);
        others.SetFilter(CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {fields.codice, self}));
        others.Open();
        if (!others.IsEOF())
            return {QStringLiteral("Codice già presente in archivio!"), CodiceField};
    }
    return {};
}

void CModelliCore::Write(qint32 id, const Fields& fields, bool adding)
{
    CTemplateSet row(&m_db);
    row.SetFilter(ById(id));
    row.Open();
    if (adding) {
        row.AddNew();
        row.m_ID = id;
    } else {
        if (row.IsEOF())
            return;
        row.Edit();
    }
    row.m_Codice = fields.codice;
    row.m_Descrizione = fields.descrizione;
    row.m_Modificato = true;
    row.Update();
}

CModelliCore::Refusal CModelliCore::Add(const Fields& typed)
{
    Fields fields = typed;
    const Refusal refusal = Check(fields, 0);
    if (refusal.IsRefused())
        return refusal;
    CTemplateSet templates(&m_db);
    templates.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
    templates.Open();
    const qint32 id = templates.GetNextID();
    Write(id, fields, true);
    m_templates.append({id, fields.descrizione});
    Blank();
    return {};
}

CModelliCore::Refusal CModelliCore::Change(const Fields& typed)
{
    if (m_nSelected < 0)
        return {};
    Fields fields = typed;
    const qint32 id = m_templates.at(m_nSelected).nId;
    const Refusal refusal = Check(fields, id);
    if (refusal.IsRefused())
        return refusal;
    Write(id, fields, false);
    m_templates[m_nSelected].strText = fields.descrizione;
    Blank();
    return {};
}

bool CModelliCore::Delete()
{
    bool deleted = false;
    if (m_nSelected >= 0
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione template"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        CTemplateSet row(&m_db);
        row.SetFilter(ById(m_templates.at(m_nSelected).nId));
        row.Open();
        if (!row.IsEOF())
            row.Delete();
        m_templates.removeAt(m_nSelected);
        deleted = true;
    }
    Blank();
    return deleted;
}
