#include "desktop/orders/CStatiPredefinitiCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CStatoOrdiniGeneraleSet.h"
#include "recordset/CStatoOrdiniLingueSet.h"

CStatiPredefinitiCore::CStatiPredefinitiCore(CDaoDatabase& db, const QString& currentLanguage,
                                             const QString& defaultLanguage)
    : m_db(db), m_strCurrent(currentLanguage), m_strDefault(defaultLanguage),
      m_pStati(std::make_unique<CStatoOrdiniGeneraleSet>(&db)), m_pTesti(std::make_unique<CStatoOrdiniLingueSet>(&db))
{
    m_pStati->Open();
    m_pTesti->Open();
    CConfigurazioneSet config(&db);
    config.Open();
    if (!config.IsEOF()) {
        m_nRicevuto = config.m_IDStatoRicevuto;
        m_nEvaso = config.m_IDStatoEvaso;
    }
}

CStatiPredefinitiCore::~CStatiPredefinitiCore() = default;

bool CStatiPredefinitiCore::FindText(qint32 stateId, const QString& language)
{
    return m_pTesti->FindFirst(QStringLiteral("IDCodice=? AND CodiceLingua=?"), {stateId, language});
}

QString CStatiPredefinitiCore::Text(qint32 stateId)
{
    return FindText(stateId, m_strCurrent) || FindText(stateId, m_strDefault) ? m_pTesti->m_Testo : QString();
}

QList<CStatiPredefinitiCore::State> CStatiPredefinitiCore::States()
{
    QList<State> states;
    if (m_pStati->IsBOF() && m_pStati->IsEOF())
        return states;
    for (m_pStati->MoveFirst(); !m_pStati->IsEOF(); m_pStati->MoveNext())
        states.append({m_pStati->m_ID, QString()});
    for (State& state : states)
        state.second = Text(state.first);
    return states;
}

bool CStatiPredefinitiCore::Refused(const QString& text) const
{
    if (!text.isEmpty())
        return false;
    CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    return true;
}

void CStatiPredefinitiCore::AddText(qint32 id, qint32 stateId, const QString& language, const QString& text)
{
    m_pTesti->AddNew();
    m_pTesti->m_ID = id;
    m_pTesti->m_IDCodice = stateId;
    m_pTesti->m_CodiceLingua = language;
    m_pTesti->m_Testo = text;
    m_pTesti->m_Modificato = true;
    m_pTesti->Update();
}

qint32 CStatiPredefinitiCore::Add(const QString& text)
{
    if (Refused(text))
        return 0;
    const qint32 stateId = CRecordIds::NextID(*m_pStati);
    const qint32 textId = CRecordIds::NextID(*m_pTesti);
    m_pStati->AddNew();
    m_pStati->m_ID = stateId;
    m_pStati->m_Modificato = true;
    m_pStati->Update();
    AddText(textId, stateId, m_strCurrent, text);
    // A state always has its text in the default language too.
    if (m_strCurrent != m_strDefault)
        AddText(CRecordIds::NextID(*m_pTesti), stateId, m_strDefault, text);
    return stateId;
}

bool CStatiPredefinitiCore::Save(qint32 stateId, const QString& text)
{
    if (Refused(text))
        return false;
    if (FindText(stateId, m_strCurrent)) {
        m_pTesti->Edit();
        m_pTesti->m_Testo = text;
        m_pTesti->m_Modificato = true;
        m_pTesti->Update();
    } else {
        AddText(CRecordIds::NextID(*m_pTesti), stateId, m_strCurrent, text);
    }
    return true;
}

bool CStatiPredefinitiCore::Delete(qint32 stateId)
{
    if (CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione stato ordine"),
                          CMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return false;
    if (!m_pStati->FindFirst(QStringLiteral("ID=?"), {stateId}))
        return false;
    m_pStati->Delete();
    if (!(m_pStati->IsBOF() && m_pStati->IsEOF()))
        m_pStati->MoveFirst();
    // The texts went through the table class's cascade, not this set.
    m_pTesti->Open();
    return true;
}

void CStatiPredefinitiCore::StoreChoices(qint32 received, qint32 shipped)
{
    if (received == m_nRicevuto && shipped == m_nEvaso)
        return;
    CConfigurazioneSet config(&m_db);
    config.Open();
    if (config.IsEOF())
        return;
    config.Edit();
    config.m_IDStatoRicevuto = received;
    config.m_IDStatoEvaso = shipped;
    config.m_Modificato = true;
    config.Update();
    m_nRicevuto = received;
    m_nEvaso = shipped;
}
