#include "desktop/orders/COrderTextViewCore.h"

#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CCondizioniVenditaSet.h"
#include "recordset/CNotificaClienteSet.h"

namespace {

// The two tables have the same columns; the rules reach them through one
// set of accessors.
template <class Set> Set& As(CQTRDaoRecordset& set) { return static_cast<Set&>(set); }

} // namespace

COrderTextViewCore::COrderTextViewCore(CDaoDatabase& db, Kind kind, const QString& defaultLanguage)
    : m_kind(kind), m_strDefaultLanguage(defaultLanguage)
{
    if (kind == NotificaCliente)
        m_pSet = std::make_unique<CNotificaClienteSet>(&db);
    else
        m_pSet = std::make_unique<CCondizioniVenditaSet>(&db);
    m_pSet->Open();
}

COrderTextViewCore::~COrderTextViewCore() = default;

QString& COrderTextViewCore::Testo()
{
    return m_kind == NotificaCliente ? As<CNotificaClienteSet>(*m_pSet).m_Testo
                                     : As<CCondizioniVenditaSet>(*m_pSet).m_Testo;
}

bool COrderTextViewCore::FindLanguage(const QString& language)
{
    return m_pSet->FindFirst(QStringLiteral("CodiceLingua=?"), {language});
}

std::optional<QString> COrderTextViewCore::LoadText(const QString& language)
{
    if (m_pSet->IsBOF() && m_pSet->IsEOF())
        return std::nullopt;
    m_strSavingLanguage = language;
    if (FindLanguage(language) || FindLanguage(m_strDefaultLanguage))
        return Testo();
    return QString();
}

bool COrderTextViewCore::IsTextModified(const QString& typed)
{
    if (m_pSet->IsBOF() && m_pSet->IsEOF())
        return false;
    if (m_pSet->IsEOF() || m_pSet->IsBOF())
        return !typed.isEmpty();
    return typed != Testo();
}

void COrderTextViewCore::SaveText(const QString& typed)
{
    auto save = [&](auto& set) {
        if (FindLanguage(m_strSavingLanguage)) {
            set.Edit();
        } else {
            const qint32 id = CRecordIds::NextID(set);
            set.AddNew();
            set.m_ID = id;
            set.m_CodiceLingua = m_strSavingLanguage;
        }
        set.m_Testo = typed;
        set.m_Modificato = true;
        set.Update();
    };
    if (m_kind == NotificaCliente)
        save(As<CNotificaClienteSet>(*m_pSet));
    else
        save(As<CCondizioniVenditaSet>(*m_pSet));
    FindLanguage(m_strSavingLanguage);
}

std::optional<QString> COrderTextViewCore::RefreshLanguage(const QString& typed, const QString& language)
{
    if (IsTextModified(typed))
        SaveText(typed);
    return LoadText(language);
}
