#include "desktop/content/CDizionarioViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"

namespace {

CDaoCriteria TextRow(qint32 id, const QString& language)
{
    return CDaoCriteria::Format(QStringLiteral("IDCodice=%d AND CodiceLingua='%s'"), {id, language});
}

} // namespace

CDizionarioViewCore::CDizionarioViewCore(CDaoDatabase& db, const QString& currentLanguage,
                                         const QString& defaultLanguage)
    : m_db(db), m_strCurrent(currentLanguage), m_strDefault(defaultLanguage)
{
    ReadEntries();
}

QString CDizionarioViewCore::CleanCode(const QString& code)
{
    QString clean;
    for (const QChar c : code.toUpper())
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            clean += c;
    return clean.left(kCodeLength);
}

QString CDizionarioViewCore::RefusalText(Refusal refusal)
{
    switch (refusal) {
    case CodeMissing: return QStringLiteral("Campo obbligatorio!");
    case CodeTaken: return QStringLiteral("Codice voce già presente in archivio!");
    case Accepted: break;
    }
    return QString();
}

void CDizionarioViewCore::ReadEntries()
{
    m_entries.clear();
    CDizionarioGenSet entries(&m_db);
    entries.Open();
    for (; !entries.IsEOF(); entries.MoveNext())
        m_entries.append({entries.m_ID, entries.m_Codice});
    entries.Close();
}

void CDizionarioViewCore::Deselect()
{
    m_nSelected = 0;
    m_strCode.clear();
    m_strText.clear();
    m_controls = Controls();
}

QString CDizionarioViewCore::StoredText(qint32 id, const QString& language, bool* found) const
{
    CDizionarioLinSet texts(&m_db);
    texts.SetFilter(TextRow(id, language));
    texts.Open();
    *found = !texts.IsEOF();
    const QString text = *found ? texts.m_Testo : QString();
    texts.Close();
    return text;
}

void CDizionarioViewCore::Select(qint32 id)
{
    CDizionarioGenSet entry(&m_db);
    entry.SetFilter(CDaoCriteria::Format(QStringLiteral("ID=%d"), {id}));
    entry.Open();
    if (entry.IsEOF()) {
        entry.Close();
        Deselect();
        return;
    }
    m_nSelected = id;
    m_strCode = entry.m_Codice;
    entry.Close();
    bool found = false;
    m_strText = StoredText(id, m_strCurrent, &found);
    if (!found)
        m_strText = StoredText(id, m_strDefault, &found);
    m_controls = {false, true, true};
}

CDizionarioViewCore::Refusal CDizionarioViewCore::Check(const QString& code, qint32 ownId) const
{
    if (code.isEmpty())
        return CodeMissing;
    CDizionarioGenSet entries(&m_db);
    entries.SetFilter(CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {code, ownId}));
    entries.Open();
    const bool taken = !entries.IsEOF();
    entries.Close();
    return taken ? CodeTaken : Accepted;
}

void CDizionarioViewCore::WriteText(qint32 id, const QString& language, const QString& text)
{
    CDizionarioLinSet texts(&m_db);
    texts.SetFilter(TextRow(id, language));
    texts.Open();
    if (texts.IsEOF()) {
        const qint32 textId = texts.GetNextID();
        texts.AddNew();
        texts.m_ID = textId;
        texts.m_IDCodice = id;
        texts.m_CodiceLingua = language;
    } else {
        texts.Edit();
    }
    texts.m_Testo = text;
    texts.m_Modificato = true;
    texts.Update();
    texts.Close();
}

CDizionarioViewCore::Refusal CDizionarioViewCore::Add(const QString& code, const QString& text)
{
    const QString clean = CleanCode(code);
    if (const Refusal refusal = Check(clean, 0); refusal != Accepted)
        return refusal;
    {
        // The entry and its texts land together or not at all.
        CDaoTransaction transaction(m_db);
        CDizionarioGenSet entries(&m_db);
        entries.Open();
        const qint32 id = entries.GetNextID();
        entries.AddNew();
        entries.m_ID = id;
        entries.m_Codice = clean;
        entries.m_Modificato = true;
        entries.Update();
        entries.Close();
        WriteText(id, m_strCurrent, text);
        if (m_strCurrent != m_strDefault)
            WriteText(id, m_strDefault, text);
        transaction.Commit();
    }
    ReadEntries();
    Deselect();
    return Accepted;
}

CDizionarioViewCore::Refusal CDizionarioViewCore::Save(const QString& code, const QString& text)
{
    if (m_nSelected == 0)
        return Accepted;
    const QString clean = CleanCode(code);
    if (const Refusal refusal = Check(clean, m_nSelected); refusal != Accepted)
        return refusal;
    {
        CDaoTransaction transaction(m_db);
        CDizionarioGenSet entry(&m_db);
        entry.SetFilter(CDaoCriteria::Format(QStringLiteral("ID=%d"), {m_nSelected}));
        entry.Open();
        if (!entry.IsEOF()) {
            entry.Edit();
            entry.m_Codice = clean;
            entry.m_Modificato = true;
            entry.Update();
            WriteText(m_nSelected, m_strCurrent, text);
        }
        entry.Close();
        transaction.Commit();
    }
    ReadEntries();
    Deselect();
    return Accepted;
}

void CDizionarioViewCore::Delete()
{
    if (m_nSelected != 0
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione voce dizionario"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        CDizionarioGenSet entry(&m_db);
        entry.SetFilter(CDaoCriteria::Format(QStringLiteral("ID=%d"), {m_nSelected}));
        entry.Open();
        if (!entry.IsEOF())
            entry.Delete();
        entry.Close();
        ReadEntries();
    }
    Deselect();
}

void CDizionarioViewCore::SetLanguages(const QString& currentLanguage, const QString& defaultLanguage)
{
    m_strCurrent = currentLanguage;
    m_strDefault = defaultLanguage;
    ReadEntries();
    Deselect();
}
