#include "desktop/content/CForumViewCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoCriteria.h"
#include "recordset/CArgomentiLingueSet.h"
#include "recordset/CInterventiForumSet.h"

namespace {

bool FindPost(CInterventiForumSet& post, qint32 id)
{
    return CContentRows::FindById(post, id);
}

} // namespace

CForumViewCore::CForumViewCore(CDaoDatabase& database, const QString& defaultLanguage)
    : m_db(database), m_strDefault(defaultLanguage)
{
}

void CForumViewCore::Start()
{
    ApplyFilter(true);
}

void CForumViewCore::Load()
{
    m_ids.clear();
    CInterventiForumSet posts(&m_db);
    if (m_bOnlyToModerate)
        posts.SetFilter(CDaoCriteria(QStringLiteral("Attivo=0")));
    posts.m_strSort = QStringLiteral("IDArgomento,IDIntervento,ID");
    posts.Open();
    for (; !posts.IsEOF(); posts.MoveNext())
        m_ids.append(posts.m_ID);
    m_nPos = m_ids.isEmpty() ? -1 : 0;
}

void CForumViewCore::ApplyFilter(bool onlyToModerate)
{
    m_bOnlyToModerate = onlyToModerate;
    Load();
    if (m_bOnlyToModerate && m_ids.isEmpty()) {
        CMessageBox::Show(nullptr, QStringLiteral("Non ci sono interventi da moderare"), QString(),
                          CMessageBox::Information);
        m_bOnlyToModerate = false;
        Load();
    }
    if (m_ids.isEmpty()) {
        m_form = m_shown = Form();
        CMessageBox::Show(nullptr, QStringLiteral("Nessun intevento in archivio"), QString(), CMessageBox::Exclamation);
        return;
    }
    Show();
}

void CForumViewCore::Show()
{
    m_form = Form();
    CInterventiForumSet post(&m_db);
    if (!HasPost() || !FindPost(post, CurrentID())) {
        m_shown = m_form;
        return;
    }
    CArgomentiLingueSet topic(&m_db);
    topic.SetFilter(CDaoCriteria::Format(QStringLiteral("IDArgomento=%d AND CodiceLingua='%s'"),
                                         {post.m_IDArgomento, m_strDefault}));
    topic.Open();
    if (!topic.IsEOF())
        m_form.argomento = topic.m_Nome;
    m_form.data = post.m_Data;
    m_form.ora = post.m_Ora;
    m_form.mittente = post.m_Mittente;
    m_form.emailMittente = post.m_EmailMittente;
    m_form.attivo = post.m_Attivo;
    m_form.oggetto = post.m_Oggetto;
    m_form.testo = post.m_Testo;
    m_form.noteModeratore = post.m_NoteModeratore;
    m_shown = m_form;
}

bool CForumViewCore::IsRecordModified() const
{
    return HasPost()
           && (m_form.attivo != m_shown.attivo || m_form.oggetto != m_shown.oggetto || m_form.testo != m_shown.testo
               || m_form.noteModeratore != m_shown.noteModeratore);
}

// The moderator's text is stored as typed: the shop escapes it on output.
bool CForumViewCore::SaveRecord()
{
    if (!HasPost())
        return true;
    CInterventiForumSet post(&m_db);
    if (!FindPost(post, CurrentID()))
        return true;
    post.Edit();
    post.m_Attivo = m_form.attivo;
    post.m_Oggetto = m_form.oggetto.left(250);
    post.m_Testo = m_form.testo;
    post.m_NoteModeratore = m_form.noteModeratore;
    post.m_Modificato = true;
    post.Update();
    m_shown = m_form;
    return true;
}

bool CForumViewCore::Leave()
{
    return !IsRecordModified() || SaveRecord();
}

void CForumViewCore::MoveTo(int position)
{
    if (m_ids.isEmpty() || !Leave())
        return;
    m_nPos = qBound(0, position, static_cast<int>(m_ids.size()) - 1);
    Show();
}

void CForumViewCore::MoveFirst() { MoveTo(0); }
void CForumViewCore::MovePrev() { MoveTo(m_nPos - 1); }
void CForumViewCore::MoveNext() { MoveTo(m_nPos + 1); }
void CForumViewCore::MoveLast() { MoveTo(static_cast<int>(m_ids.size()) - 1); }

void CForumViewCore::Undo()
{
    if (HasPost())
        Show();
}

void CForumViewCore::Delete()
{
    if (!HasPost()
        || CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione intervento"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    {
        CInterventiForumSet post(&m_db);
        if (FindPost(post, CurrentID()))
            post.Delete();
    }
    m_ids.removeAt(m_nPos);
    if (m_ids.isEmpty()) {
        CMessageBox::Show(nullptr, QStringLiteral("L'archivio interventi ora è vuoto."),
                          QStringLiteral("Cancellazione interventi"), CMessageBox::Information);
        ApplyFilter(false);
        return;
    }
    m_nPos = qMin(m_nPos, static_cast<int>(m_ids.size()) - 1);
    Show();
}

bool CForumViewCore::IsCommandEnabled(int id) const
{
    const bool first = m_nPos <= 0;
    const bool last = m_nPos < 0 || m_nPos + 1 >= m_ids.size();
    switch (id) {
    case ID_RECORD_FIRST:
    case ID_RECORD_PREV: return HasPost() && !first;
    case ID_RECORD_NEXT:
    case ID_RECORD_LAST: return HasPost() && !last;
    case ID_RECORD_UNDO:
    case ID_RECORD_DELETE: return HasPost();
    default: return false;
    }
}

