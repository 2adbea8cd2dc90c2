#include "desktop/content/CTipoBannerCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CTipoBannerSet.h"

namespace {

CDaoCriteria ById(qint32 id)
{
    return CDaoCriteria::Format(QStringLiteral("ID=%d"), {id});
}

QString CleanCode(const QString& code)
{
    return code.trimmed().toUpper().left(CTipoBannerCore::kCodeLength);
}

} // namespace

CTipoBannerCore::CTipoBannerCore(CDaoDatabase& db) : m_db(db)
{
    ReadTypes();
}

QString CTipoBannerCore::RefusalText(Refusal refusal)
{
    switch (refusal) {
    case DescriptionMissing: return QStringLiteral("Campo obbligatorio!");
    case CodeStartsBadly: return QStringLiteral("Il primo carattere del codice non può essere un numero!");
    case CodeTaken: return QStringLiteral("Codice già presente in archivio!");
    case Accepted: break;
    }
    return QString();
}

void CTipoBannerCore::ReadTypes()
{
    m_types.clear();
    CTipoBannerSet types(&m_db);
    types.Open();
    for (; !types.IsEOF(); types.MoveNext())
        m_types.append({types.m_ID, types.m_Codice, types.m_Descrizione});
    types.Close();
}

void CTipoBannerCore::Deselect()
{
    m_nSelected = 0;
    m_current = Entry();
    m_controls = Controls();
}

void CTipoBannerCore::Select(qint32 id)
{
    for (const Entry& type : m_types)
        if (type.nId == id) {
            m_nSelected = id;
            m_current = type;
            m_controls = {false, true, true};
            return;
        }
    Deselect();
}

CTipoBannerCore::Refusal CTipoBannerCore::Check(const QString& code, const QString& description, qint32 ownId) const
{
    if (description.trimmed().isEmpty())
        return DescriptionMissing;
    if (!code.isEmpty() && (code.front() < QLatin1Char('A') || code.front() > QLatin1Char('Z')))
        return CodeStartsBadly;
    CTipoBannerSet types(&m_db);
    types.SetFilter(CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {code, ownId}));
    types.Open();
    const bool taken = !types.IsEOF();
    types.Close();
    return taken ? CodeTaken : Accepted;
}

void CTipoBannerCore::Write(qint32 id, const QString& code, const QString& description, bool adding)
{
    CTipoBannerSet row(&m_db);
    row.SetFilter(ById(id));
    row.Open();
    if (adding) {
        row.AddNew();
        row.m_ID = id;
        row.m_IDUltimoBanner = 0;
    } else if (row.IsEOF()) {
        row.Close();
        return;
    } else {
        row.Edit();
    }
    row.m_Codice = code;
    row.m_Descrizione = description.left(kDescriptionLength);
    row.m_Modificato = true;
    row.Update();
    row.Close();
}

CTipoBannerCore::Refusal CTipoBannerCore::Add(const QString& code, const QString& description)
{
    const QString clean = CleanCode(code);
    if (const Refusal refusal = Check(clean, description, 0); refusal != Accepted)
        return refusal;
    CTipoBannerSet types(&m_db);
    types.Open();
    const qint32 id = types.GetNextID();
    types.Close();
    Write(id, clean, description, true);
    ReadTypes();
    Deselect();
    return Accepted;
}

CTipoBannerCore::Refusal CTipoBannerCore::Save(const QString& code, const QString& description)
{
    if (m_nSelected == 0)
        return Accepted;
    const QString clean = CleanCode(code);
    if (const Refusal refusal = Check(clean, description, m_nSelected); refusal != Accepted)
        return refusal;
    Write(m_nSelected, clean, description, false);
    ReadTypes();
    Deselect();
    return Accepted;
}

void CTipoBannerCore::Delete()
{
    if (m_nSelected != 0
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione tipo banner"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        CTipoBannerSet row(&m_db);
        row.SetFilter(ById(m_nSelected));
        row.Open();
        if (!row.IsEOF())
            row.Delete();
        row.Close();
        ReadTypes();
    }
    Deselect();
}
