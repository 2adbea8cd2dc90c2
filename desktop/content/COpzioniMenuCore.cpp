#include "desktop/content/COpzioniMenuCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CModuliOpzioniLingueSet.h"
#include "recordset/CModuliOpzioniSet.h"

namespace {

bool Required(const QString& text)
{
    if (!text.trimmed().isEmpty())
        return true;
    CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    return false;
}

} // namespace

COpzioniMenuCore::COpzioniMenuCore(CDaoDatabase& database, qint32 field, const QString& current,
                                   const QString& fallback)
    : m_db(database), m_nField(field), m_strCurrent(current), m_strDefault(fallback)
{
    Read();
}

void COpzioniMenuCore::Read()
{
    m_options.clear();
    m_nSelected = -1;
    CModuliOpzioniSet options(&m_db);
    options.SetFilter(CDaoCriteria::Format(QStringLiteral("IDCampo=%d"), {m_nField}));
    options.m_strSort = QStringLiteral("Ordine");
    options.Open();
    CModuliOpzioniLingueSet texts(&m_db);
    for (; !options.IsEOF(); options.MoveNext()) {
        Option option{options.m_ID, QString()};
        for (const QString& language : {m_strCurrent, m_strDefault}) {
            texts.SetFilter(CDaoCriteria::Format(QStringLiteral("IDOpzione=%d AND CodiceLingua='%s'"),
                                                 {options.m_ID, language}));
            if (texts.IsOpen())
                texts.Requery();
            else
                texts.Open();
            if (!texts.IsEOF()) {
                option.strText = texts.m_Opzione;
                break;
            }
        }
        m_options.append(option);
    }
}

void COpzioniMenuCore::Select(int index)
{
    m_nSelected = index >= 0 && index < m_options.size() ? index : -1;
}

void COpzioniMenuCore::WriteText(qint32 option, const QString& language, const QString& text, bool onlyWhenMissing)
{
    CModuliOpzioniLingueSet texts(&m_db);
    texts.SetFilter(CDaoCriteria::Format(QStringLiteral("IDOpzione=%d AND CodiceLingua='%s'"), {option, language}));
    texts.Open();
    if (!texts.IsEOF()) {
        if (onlyWhenMissing)
            return;
        texts.Edit();
    } else {
        const qint32 id = texts.GetNextID();
        texts.AddNew();
        texts.m_ID = id;
        texts.m_IDOpzione = option;
        texts.m_CodiceLingua = language;
    }
    texts.m_Opzione = text.left(kTextLength);
    texts.m_Modificato = true;
    texts.Update();
}

bool COpzioniMenuCore::Add(const QString& text)
{
    if (!Required(text))
        return false;
    CModuliOpzioniSet options(&m_db);
    options.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
    options.Open();
    const qint32 id = options.GetNextID();
    CDaoTransaction transaction(m_db);
    options.AddNew();
    options.m_ID = id;
    options.m_IDCampo = m_nField;
    options.m_Ordine = id;
    options.m_Modificato = true;
    options.Update();
    WriteText(id, m_strCurrent, text, false);
    if (m_strCurrent != m_strDefault)
        WriteText(id, m_strDefault, text, true);
    transaction.Commit();
    m_options.append({id, text.left(kTextLength)});
    m_nSelected = -1;
    return true;
}

bool COpzioniMenuCore::Save(const QString& text)
{
    if (m_nSelected < 0 || !Required(text))
        return false;
    WriteText(m_options.at(m_nSelected).nId, m_strCurrent, text, false);
    m_options[m_nSelected].strText = text.left(kTextLength);
    m_nSelected = -1;
    return true;
}

bool COpzioniMenuCore::Delete()
{
    bool deleted = false;
    if (m_nSelected >= 0
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione opzione menu"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        CModuliOpzioniSet option(&m_db);
        if (CContentRows::FindById(option, m_options.at(m_nSelected).nId))
            option.Delete();
        m_options.removeAt(m_nSelected);
        deleted = true;
    }
    m_nSelected = -1;
    return deleted;
}

bool COpzioniMenuCore::Move(int direction)
{
    const int other = m_nSelected + direction;
    if (m_nSelected < 0 || other < 0 || other >= m_options.size())
        return false;
    if (!CContentRows::SwapOrder<CModuliOpzioniSet>(m_db, m_options.at(m_nSelected).nId, m_options.at(other).nId))
        return false;
    m_options.swapItemsAt(m_nSelected, other);
    m_nSelected = other;
    return true;
}
