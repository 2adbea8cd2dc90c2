#include "desktop/customers/CGruppiViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEditRules.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CGruppiSet.h"

#include <algorithm>
#include <utility>

namespace {

const CValidatedEditRules& DateRules()
{
    static const CValidatedEditRules rules = [] {
        CValidatedEditRules r;
        r.SetParam(5, 8, 0, 0);
        return r;
    }();
    return rules;
}

QString DateText(CGruppiSet& row, const char* column)
{
    const QString name = QString::fromLatin1(column);
    return row.IsFieldNull(name) ? QString() : DateRules().TextOf(row.GetFieldValue(name).toDateTime());
}

} // namespace

const QStringList& CGruppiViewCore::ListinoTexts()
{
    static const QStringList texts = {QStringLiteral("Prezzo 1"), QStringLiteral("Prezzo 2"),
                                      QStringLiteral("Prezzo 3"), QStringLiteral("Prezzo 4")};
    return texts;
}

CGruppiViewCore::CGruppiViewCore(CDaoDatabase& db) : m_db(db), m_members(db)
{
    m_pGruppi = std::make_unique<CGruppiSet>(&db);
    m_pGruppi->Open();
    LoadGroups();
}

CGruppiViewCore::~CGruppiViewCore() = default;

void CGruppiViewCore::LoadGroups()
{
    m_groups.clear();
    m_pGruppi->Requery();
    for (; !m_pGruppi->IsEOF(); m_pGruppi->MoveNext())
        m_groups.append({m_pGruppi->m_ID, m_pGruppi->m_Nome});
    std::stable_sort(m_groups.begin(), m_groups.end(), [](const Entry& a, const Entry& b) {
        return QString::localeAwareCompare(a.strNome, b.strNome) < 0;
    });
}

CGruppiViewCore::Buttons CGruppiViewCore::GetButtons() const
{
    const bool selected = m_nSelected != 0;
    return {!selected, selected, selected};
}

bool CGruppiViewCore::TakeNameFocus()
{
    return std::exchange(m_bNameFocus, false);
}

void CGruppiViewCore::Select(qint32 id)
{
    if (!m_pGruppi->FindFirst(QStringLiteral("ID=?"), {id}))
        return;
    CGruppiSet& row = *m_pGruppi;
    m_nSelected = id;
    m_form.strNome = row.m_Nome;
    m_form.nListino = row.m_IDListino >= 0 && row.m_IDListino < ListinoTexts().size() ? row.m_IDListino : -1;
    m_form.strValiditaDal = DateText(row, "ValiditaDal");
    m_form.strValiditaAl = DateText(row, "ValiditaAl");
    m_form.strScontoPredefinito = row.m_ScontoPredefinito;
    m_form.strScontoPeriodo = row.m_ScontoPeriodo;
    ShowMembers(m_bMembersShown);
}

void CGruppiViewCore::ShowMembers(bool shown)
{
    m_bMembersShown = shown;
    if (shown && m_nSelected != 0)
        m_members.Fill(CClientiCollegamenti::GroupMembers, m_nSelected);
    else if (shown)
        m_members.Fill(CClientiCollegamenti::None, 0);
}

void CGruppiViewCore::Deselect()
{
    m_nSelected = 0;
    m_form = GruppoForm();
    m_members.Fill(CClientiCollegamenti::None, 0);
}

bool CGruppiViewCore::Refuse()
{
    CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    m_bNameFocus = true;
    return false;
}

// An empty date is stored as nothing, for a new group as for a saved one.
void CGruppiViewCore::WriteForm(CGruppiSet& row)
{
    row.m_Nome = m_form.strNome;
    row.m_IDListino = m_form.nListino < 0 ? 0 : m_form.nListino;
    for (const auto& [column, text] : {std::pair<const char*, QString>{"ValiditaDal", m_form.strValiditaDal},
                                       std::pair<const char*, QString>{"ValiditaAl", m_form.strValiditaAl}}) {
        const QDateTime date = DateRules().ReadDate(text);
        if (text.trimmed().isEmpty() || !date.isValid())
            row.SetFieldValueNull(QString::fromLatin1(column));
        else
            row.SetFieldValue(QString::fromLatin1(column), date);
    }
    row.m_ScontoPredefinito = m_form.strScontoPredefinito;
    row.m_ScontoPeriodo = m_form.strScontoPeriodo;
    row.m_Modificato = true;
}

bool CGruppiViewCore::Add()
{
    if (m_form.strNome.isEmpty())
        return Refuse();
    // Groups are numbered from 1 up, apart from the customers' ranges.
    const qint32 id = CRecordIds::NextID(*m_pGruppi);
    m_pGruppi->AddNew();
    m_pGruppi->m_ID = id;
    WriteForm(*m_pGruppi);
    m_pGruppi->Update();
    LoadGroups();
    Deselect();
    return true;
}

bool CGruppiViewCore::Save()
{
    if (m_form.strNome.isEmpty())
        return Refuse();
    if (m_nSelected == 0 || !m_pGruppi->FindFirst(QStringLiteral("ID=?"), {m_nSelected}))
        return false;
    m_pGruppi->Edit();
    WriteForm(*m_pGruppi);
    m_pGruppi->Update();
    LoadGroups();
    Deselect();
    return true;
}

void CGruppiViewCore::Delete()
{
    if (m_nSelected != 0
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione gruppo"),
                             CMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes
        && m_pGruppi->FindFirst(QStringLiteral("ID=?"), {m_nSelected})) {
        m_pGruppi->Delete();
        LoadGroups();
    }
    Deselect();
}
