#include "desktop/shell/settings/CParAziViewCore.h"

#include "recordset/CConfigurazioneSet.h"

const QVector<CParAziViewCore::Field>& CParAziViewCore::Fields()
{
    using C = CConfigurazioneSet;
    static const QVector<Field> fields{
        {1054, "Ragione Sociale", &C::m_RagioneSociale, 0, 80},
        {1055, "Indirizzo", &C::m_Indirizzo, 0, 80},
        {1038, "C.A.P.", &C::m_Cap, 1, 5},
        {1039, "Località", &C::m_Localita, 0, 80},
        {1040, "Prov.", &C::m_Provincia, 0, 2},
        {1041, "Stato", &C::m_Stato, 0, 30},
        {1049, "Partita IVA", &C::m_PartitaIVA, 1, 11},
        {1050, "Registro delle imprese", &C::m_RegistroImprese, 0, 50},
        {1042, "Telefono info", &C::m_TelefonoInfo, 0, 20},
        {1043, "Telefono supporto", &C::m_TelefonoSupporto, 0, 20},
        {1044, "Telefono ordini", &C::m_TelefonoOrdini, 0, 20},
        {1045, "Fax", &C::m_Fax, 0, 20},
        {1046, "Email info", &C::m_EmailInfo, 0, 80},
        {1047, "Email supporto", &C::m_EmailSupporto, 0, 80},
        {1048, "Email ordini", &C::m_EmailOrdini, 0, 80},
    };
    return fields;
}

CParAziViewCore::CParAziViewCore(CDaoDatabase& db) : m_pSet(std::make_unique<CConfigurazioneSet>(&db))
{
    m_pSet->Open();
}

CParAziViewCore::~CParAziViewCore() = default;

QStringList CParAziViewCore::Load()
{
    QStringList texts;
    for (const Field& field : Fields())
        texts << (m_pSet->IsEOF() ? QString() : (*m_pSet).*field.column);
    return texts;
}

bool CParAziViewCore::IsRecordModified(const QStringList& texts)
{
    if (m_pSet->IsEOF() || m_pSet->IsBOF()) {
        for (const QString& text : texts)
            if (!text.isEmpty())
                return true;
        return false;
    }
    for (int i = 0; i < Fields().size(); ++i)
        if ((*m_pSet).*Fields().at(i).column != texts.value(i))
            return true;
    return false;
}

void CParAziViewCore::SaveRecord(const QStringList& texts)
{
    if (m_pSet->IsBOF() || m_pSet->IsEOF())
        m_pSet->AddNew();
    else
        m_pSet->Edit();
    m_pSet->m_ID = 1;
    for (int i = 0; i < Fields().size(); ++i)
        (*m_pSet).*Fields().at(i).column = texts.value(i);
    m_pSet->m_Modificato = true;
    m_pSet->Update();
    if (m_pSet->IsEOF())
        m_pSet->Requery();   // the new row becomes the one compared next
}
