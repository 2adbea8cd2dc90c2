#include "desktop/content/CArticoliViewCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CModuliLingueSet.h"
#include "recordset/CParoleChiaveSet.h"
#include "recordset/CSezioniArticoliSet.h"
#include "recordset/CTemplateSet.h"

namespace {

const QString kValidation = QStringLiteral("Validazione campi");
const QString kInsertCaption = QStringLiteral("Inserimento articolo");
constexpr quint8 kKeywordKind = 3;   // ParoleChiave.Tipo of an article

using Rows = CContentRows;

QDateTime DateOf(CArticoliGenSet& row, const char* column)
{
    const QString name = QString::fromLatin1(column);
    return row.IsFieldNull(name) ? QDateTime() : row.GetFieldValue(name).toDateTime();
}

void SetDate(CDaoRecordset& row, const char* column, const QDateTime& value)
{
    const QString name = QString::fromLatin1(column);
    if (value.isValid())
        row.SetFieldValue(name, value);
    else
        row.SetFieldValueNull(name);
}

bool Stop(const QString& text, const QString& caption)
{
    CMessageBox::Show(nullptr, text, caption, CMessageBox::Stop);
    return false;
}

} // namespace

CArticoliViewCore::CArticoliViewCore(CDaoDatabase& database, const QString& projectFolder)
    : m_db(database), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
}

void CArticoliViewCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

QString CArticoliViewCore::FilesFolder() const
{
    return m_strProjectFolder + QStringLiteral("website/images/articoli/files");
}

qint32 CArticoliViewCore::CurrentID() const
{
    return !m_bInserting && IsOnRecord() ? m_ids.at(m_nPos) : 0;
}

void CArticoliViewCore::Start()
{
    ReadTemplates();
    ReadForms();
    m_bInserting = false;
    m_nFilterMode = FilterNone;
    LoadAll();
    if (m_ids.isEmpty()) {
        EmptyArchive();
        return;
    }
    MoveTo(0);
}

void CArticoliViewCore::ReadTemplates()
{
    m_templates = {{0, QStringLiteral("Predefinito")}};
    CTemplateSet templates(&m_db);
    templates.Open();
    for (; !templates.IsEOF(); templates.MoveNext())
        m_templates.append({templates.m_ID, templates.m_Descrizione});
}

void CArticoliViewCore::ReadForms()
{
    m_forms = {{0, QStringLiteral("Nessuno")}};
    CModuliLingueSet forms(&m_db);
    forms.SetFilter(CDaoCriteria::Format(QStringLiteral("CodiceLingua='%s'"), {m_strDefault}));
    forms.Open();
    for (; !forms.IsEOF(); forms.MoveNext())
        m_forms.append({forms.m_IDModulo, forms.m_Nome});
}

void CArticoliViewCore::LoadAll()
{
    m_ids.clear();
    CArticoliGenSet articles(&m_db);
    articles.m_strSort = QStringLiteral("Ordine");
    articles.Open();
    for (; !articles.IsEOF(); articles.MoveNext())
        m_ids.append(articles.m_ID);
    m_nPos = m_ids.isEmpty() ? -1 : 0;
    m_bEmpty = m_ids.isEmpty();
}

// The criteria typed in the card: the switches that are not in the third
// state, the section chosen and the code's beginning, each bound.
bool CArticoliViewCore::LoadFiltered()
{
    CDaoCriteria criteria;
    const std::pair<const char*, int> flags[] = {
        {"[Attivo]=%d", m_form.attivo}, {"[Novita]=%d", m_form.novita}, {"[Mailing]=%d", m_form.mailing}};
    for (const auto& [pattern, state] : flags)
        if (state != ArticoloForm::Indeterminate)
            criteria = criteria.And(
                CDaoCriteria::Format(QString::fromLatin1(pattern), {state == ArticoloForm::Checked ? 1 : 0}));
    if (m_nFilterSection > 0) {
        CSezioniArticoliSet links(&m_db);
        if (!Rows::OpenWhere(links, CDaoCriteria::Format(QStringLiteral("IDSezione=%d"), {m_nFilterSection})))
            return false;
        criteria = criteria.And(CDaoCriteria::Format(
            QStringLiteral("ID IN (SELECT IDArticolo FROM SezioniArticoli WHERE IDSezione=%d)"), {m_nFilterSection}));
    }
    const QString code = m_form.codice.trimmed();
    if (!code.isEmpty())
        criteria = criteria.And(CDaoCriteria::Format(QStringLiteral("[Codice] Like '%s*'"), {code}));
    m_ids.clear();
    CArticoliGenSet articles(&m_db);
    articles.SetFilter(criteria);
    articles.m_strSort = QStringLiteral("Ordine");
    articles.Open();
    for (; !articles.IsEOF(); articles.MoveNext())
        m_ids.append(articles.m_ID);
    m_nPos = m_ids.isEmpty() ? -1 : 0;
    return !m_ids.isEmpty();
}

void CArticoliViewCore::MoveTo(int position)
{
    if (m_ids.isEmpty())
        return;
    m_nPos = qBound(0, position, static_cast<int>(m_ids.size()) - 1);
    ShowRecord();
}

void CArticoliViewCore::ReadTicks(qint32 article)
{
    m_ticked.clear();
    CSezioniArticoliSet links(&m_db);
    links.SetFilter(CDaoCriteria::Format(QStringLiteral("IDArticolo=%d"), {article}));
    links.Open();
    for (; !links.IsEOF(); links.MoveNext()) {
        m_ticked.insert(links.m_IDSezione);
        // The picker opens on the article's last section; one in no
        // section keeps the section of the article shown before.
        m_nPickerSection = links.m_IDSezione;
    }
}

void CArticoliViewCore::ShowRecord()
{
    ++m_nShown;
    if (!IsOnRecord())
        return;
    const qint32 id = m_ids.at(m_nPos);
    CArticoliGenSet article(&m_db);
    if (!Rows::OpenWhere(article, Rows::ById(id)))
        return;
    m_form = ArticoloForm();
    m_form.codice = article.m_Codice;
    m_form.attivo = article.m_Attivo ? 1 : 0;
    m_form.novita = article.m_Novita ? 1 : 0;
    m_form.mailing = article.m_Mailing ? 1 : 0;
    m_form.stampa = qMin<int>(article.m_FlagStampa, 2);
    m_form.segnalazione = qMin<int>(article.m_FlagSegnalazione, 2);
    m_form.voto = qMin<int>(article.m_FlagVoto, 2);
    m_form.dataPubblicazione = DateOf(article, "DataPubblicazione");
    m_form.dallaData = DateOf(article, "PubblicazioneDallaData");
    m_form.allaData = DateOf(article, "PubblicazioneAllaData");
    m_form.idTemplate = article.m_IDTemplate;
    m_form.idModulo = article.m_IDModulo;
    m_form.idRisposta = article.m_IDArticoloRispostaModulo;
    m_form.rispostaNome = m_form.idRisposta > 0 ? ArticleName(m_form.idRisposta) : QString();

    m_nLanguageRow = 0;
    m_strRowLanguage.clear();
    CArticoliLinSet texts(&m_db);
    for (const QString& language : {m_strCurrent, m_strDefault}) {
        if (Rows::OpenWhere(texts, CDaoCriteria::Format(QStringLiteral("IDArticolo=%d AND CodiceLingua='%s'"),
                                                  {id, language}))) {
            m_nLanguageRow = texts.m_ID;
            m_strRowLanguage = texts.m_CodiceLingua;
            m_form.titolo = texts.m_Titolo;
            m_form.autore = texts.m_Autore;
            m_form.sottotitolo = texts.m_Sottotitolo;
            m_form.testo = texts.m_Testo;
            break;
        }
    }
    m_strPreview = m_form.titolo + QStringLiteral("\r\n") + m_form.testo;
    ReadTicks(id);
    m_shown = m_form;
}

void CArticoliViewCore::BlankForm()
{
    m_form = ArticoloForm();
    m_shown = m_form;
    m_strPreview.clear();
    m_ticked.clear();
    m_nLanguageRow = 0;
    m_strRowLanguage.clear();
    ++m_nShown;
}

void CArticoliViewCore::EmptyArchive()
{
    m_ids.clear();
    m_nPos = -1;
    m_bEmpty = true;
    BlankForm();
}

bool CArticoliViewCore::IsRecordModified() const
{
    if (m_bInserting || m_nFilterMode == FilterEntering || !IsOnRecord())
        return false;
    return !m_form.SameStored(m_shown);
}

bool CArticoliViewCore::LeaveRecord()
{
    return !IsRecordModified() || SaveRecord();
}

bool CArticoliViewCore::LeaveLanguage()
{
    return LeaveRecord();
}

void CArticoliViewCore::RefreshLanguage(const QString& current, const QString& fallback)
{
    SetLanguages(current, fallback);
    if (m_bInserting || m_nFilterMode == FilterEntering)
        return;
    if (IsOnRecord())
        ShowRecord();
    else
        ++m_nShown;
}

// The code is stored upper case; it must begin with a letter, and no
// other article may have it. An existing article's empty code is not
// searched (many have none); a new one's is.
bool CArticoliViewCore::CheckCode(const QString& code, qint32 self, bool searchEmpty)
{
    if (!code.isEmpty() && (code.at(0) < QLatin1Char('A') || code.at(0) > QLatin1Char('Z'))) {
        Stop(QStringLiteral("Il primo carattere del codice articolo non può essere un numero!"), kValidation);
        if (m_focusCode)
            m_focusCode();
        return false;
    }
    if (code.isEmpty() && !searchEmpty)
        return true;
    CArticoliGenSet others(&m_db);
    if (Rows::OpenWhere(others, CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {code, self}))) {
        Stop(QStringLiteral("Codice articolo già presente in archivio!"), kValidation);
        if (m_focusCode)
            m_focusCode();
        return false;
    }
    return true;
}

void CArticoliViewCore::WriteArticle(qint32 id, bool adding)
{
    CArticoliGenSet article(&m_db);
    if (adding) {
        article.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        article.Open();
        article.AddNew();
        article.m_ID = id;
        article.m_Ordine = id;
    } else {
        if (!Rows::OpenWhere(article, Rows::ById(id)))
            return;
        article.Edit();
    }
    article.m_Codice = m_form.codice.trimmed().toUpper().left(kCodeLength);
    article.m_Attivo = m_form.attivo == ArticoloForm::Checked;
    article.m_Novita = m_form.novita == ArticoloForm::Checked;
    article.m_Mailing = m_form.mailing == ArticoloForm::Checked;
    article.m_FlagStampa = static_cast<quint8>(m_form.stampa);
    article.m_FlagSegnalazione = static_cast<quint8>(m_form.segnalazione);
    article.m_FlagVoto = static_cast<quint8>(m_form.voto);
    article.m_IDTemplate = m_form.idTemplate;
    article.m_IDModulo = m_form.idModulo;
    if (!adding)
        article.m_IDArticoloRispostaModulo = m_form.idRisposta;
    article.m_Modificato = true;
    // The publication date is always set; a null would not show on the site.
    article.m_DataPubblicazione = m_form.dataPubblicazione.isValid() ? m_form.dataPubblicazione
                                                                      : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    SetDate(article, "PubblicazioneDallaData", m_form.dallaData);
    SetDate(article, "PubblicazioneAllaData", m_form.allaData);
    article.Update();
}

// The texts go into the editing language's row: the shown row when it is
// that language's, else a new one (the texts shown came from the default
// language and are now saved under the editing language).
void CArticoliViewCore::WriteLanguageRow(qint32 article)
{
    CArticoliLinSet texts(&m_db);
    const bool own = m_nLanguageRow > 0 && m_strRowLanguage == m_strCurrent
                     && Rows::OpenWhere(texts, Rows::ById(m_nLanguageRow));
    if (own) {
        texts.Edit();
    } else {
        texts.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        if (!texts.IsOpen())
            texts.Open();
        const qint32 id = texts.GetNextID();
        texts.AddNew();
        texts.m_ID = id;
        texts.m_IDArticolo = article;
        texts.m_CodiceLingua = m_strCurrent;
        m_nLanguageRow = id;
        m_strRowLanguage = m_strCurrent;
    }
    texts.m_Titolo = m_form.titolo;
    texts.m_Autore = m_form.autore.left(255);
    texts.m_Sottotitolo = m_form.sottotitolo;
    texts.m_Testo = m_form.testo;
    texts.m_Modificato = true;
    texts.Update();
}

void CArticoliViewCore::WriteKeywords(qint32 article)
{
    const QString words = ElaboraKeywords(m_form.titolo + QLatin1Char(' ') + m_form.autore + QLatin1Char(' ')
                                          + m_form.sottotitolo + QLatin1Char(' ') + m_form.testo);
    CParoleChiaveSet keywords(&m_db);
    if (Rows::OpenWhere(keywords, CDaoCriteria::Format(QStringLiteral("Tipo=%d AND IDRecord=%d AND CodiceLingua='%s'"),
                                                 {int(kKeywordKind), article, m_strRowLanguage}))) {
        keywords.Edit();
    } else {
        const qint32 id = keywords.GetNextID();
        keywords.AddNew();
        keywords.m_ID = id;
        keywords.m_Tipo = kKeywordKind;
        keywords.m_IDRecord = article;
        keywords.m_CodiceLingua = m_strRowLanguage;
    }
    keywords.m_Keywords = words;
    keywords.m_Attivo = m_form.attivo == ArticoloForm::Checked;
    keywords.m_Modificato = true;
    SetDate(keywords, "DallaData", m_form.dallaData);
    SetDate(keywords, "AllaData", m_form.allaData);
    keywords.Update();
}

bool CArticoliViewCore::SaveRecord()
{
    if (!IsOnRecord() || m_bInserting)
        return true;
    const qint32 id = m_ids.at(m_nPos);
    m_form.codice = m_form.codice.trimmed().toUpper();
    if (!CheckCode(m_form.codice, id, false))
        return false;
    WriteArticle(id, false);
    WriteLanguageRow(id);
    WriteKeywords(id);
    ShowRecord();
    return true;
}

bool CArticoliViewCore::SaveNew()
{
    if (!m_bInserting)
        return false;
    m_form.codice = m_form.codice.trimmed().toUpper();
    if (!CheckCode(m_form.codice, 0, true))
        return false;
    const qint32 id = m_nReserved;
    WriteArticle(id, true);
    m_nLanguageRow = 0;
    m_strRowLanguage.clear();
    WriteLanguageRow(id);
    WriteKeywords(id);
    m_bInserting = false;
    m_bEmpty = false;
    LoadAll();
    const int position = m_ids.indexOf(id);
    MoveTo(position < 0 ? 0 : position);
    return true;
}

void CArticoliViewCore::ToggleInsert()
{
    if (m_bInserting) {
        if (CMessageBox::Show(nullptr, QStringLiteral("ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?"),
                              kInsertCaption, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
            return;
        m_bInserting = false;
        // The sections ticked for the new article were written at once.
        CSezioniArticoliSet links(&m_db);
        links.SetFilter(CDaoCriteria::Format(QStringLiteral("IDArticolo=%d"), {m_nReserved}));
        links.Open();
        while (!links.IsEOF()) {
            links.Delete();
            links.MoveNext();
        }
        m_nReserved = 0;
        if (m_ids.isEmpty())
            EmptyArchive();
        else
            ShowRecord();
        return;
    }
    if (m_nFilterMode != FilterNone || !LeaveRecord())
        return;
    if (m_strCurrent != m_strDefault) {
        CMessageBox::Show(nullptr, QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."),
                          kInsertCaption, CMessageBox::Information);
        if (m_selectDefaultLanguage)
            m_selectDefaultLanguage();
        m_strCurrent = m_strDefault;
    }
    CArticoliGenSet articles(&m_db);
    articles.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
    articles.Open();
    m_nReserved = articles.GetNextID();
    m_bInserting = true;
    m_nTab = TabGenerale;
    BlankForm();
    m_form.attivo = ArticoloForm::Checked;
    m_form.stampa = m_form.segnalazione = m_form.voto = ArticoloForm::Indeterminate;
    m_form.dataPubblicazione = QDateTime::currentDateTime();
    m_form.dataPubblicazione.setTime(QTime(m_form.dataPubblicazione.time().hour(),
                                           m_form.dataPubblicazione.time().minute(),
                                           m_form.dataPubblicazione.time().second()));
}

void CArticoliViewCore::Delete()
{
    if (!IsOnRecord() || m_bInserting
        || CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione articolo"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const qint32 id = m_ids.at(m_nPos);
    {
        CArticoliGenSet article(&m_db);
        article.m_strProjectFolder = m_strProjectFolder;
        if (Rows::OpenWhere(article, Rows::ById(id)))
            article.Delete();
    }
    m_ids.removeAt(m_nPos);
    if (!m_ids.isEmpty()) {
        MoveTo(qMin(m_nPos, static_cast<int>(m_ids.size()) - 1));
        return;
    }
    const QString caption = QStringLiteral("Cancellazione articoli");
    if (m_nFilterMode == FilterActive) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("Sono stati cancellati tutti i record selezionati dal filtro impostato che "
                                         "viene pertanto annullato."),
                          caption, CMessageBox::Information);
        m_nFilterMode = FilterNone;
        LoadAll();
        if (!m_ids.isEmpty()) {
            MoveTo(0);
            return;
        }
    }
    CMessageBox::Show(nullptr, QStringLiteral("L'archivio articoli ora è vuoto."), caption, CMessageBox::Information);
    EmptyArchive();
}

void CArticoliViewCore::Filter()
{
    switch (m_nFilterMode) {
    case FilterNone:
        if (m_bInserting || !LeaveRecord())
            return;
        BlankForm();
        m_nFilterSection = 0;
        m_form.attivo = m_form.novita = m_form.mailing = ArticoloForm::Indeterminate;
        m_nFilterMode = FilterEntering;
        m_nTab = TabGenerale;
        break;
    case FilterEntering:
        m_nFilterMode = FilterNone;
        if (IsOnRecord())
            ShowRecord();
        else
            BlankForm();
        break;
    case FilterActive:
        if (!LeaveRecord())
            return;
        EndFilter();
        break;
    }
}

void CArticoliViewCore::EndFilter()
{
    m_nFilterMode = FilterNone;
    m_nFilterSection = 0;
    LoadAll();
    if (m_ids.isEmpty())
        EmptyArchive();
    else
        MoveTo(0);
}

void CArticoliViewCore::ApplyFilter()
{
    if (m_nFilterMode != FilterEntering)
        return;
    if (!LoadFiltered()) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("Il filtro impostato non seleziona alcun record e viene pertanto annullato."),
                          QStringLiteral("Impostazione filtro"), CMessageBox::Stop);
        EndFilter();
        return;
    }
    m_nFilterMode = FilterActive;
    MoveTo(0);
}

void CArticoliViewCore::MoveFirst()
{
    if (m_nFilterMode == FilterEntering) {
        ApplyFilter();
        return;
    }
    if (LeaveRecord())
        MoveTo(0);
}

void CArticoliViewCore::MovePrev()
{
    if (LeaveRecord())
        MoveTo(m_nPos - 1);
}

void CArticoliViewCore::MoveNext()
{
    if (LeaveRecord())
        MoveTo(m_nPos + 1);
}

void CArticoliViewCore::MoveLast()
{
    if (LeaveRecord())
        MoveTo(static_cast<int>(m_ids.size()) - 1);
}

void CArticoliViewCore::Undo()
{
    if (IsOnRecord() && !m_bInserting)
        ShowRecord();
}

bool CArticoliViewCore::IsCommandEnabled(int id) const
{
    const bool entering = m_nFilterMode == FilterEntering;
    switch (id) {
    case ID_RECORD_FIRST: return entering || (!m_bInserting && !m_bEmpty && !IsFirst());
    case ID_RECORD_PREV: return !m_bInserting && !entering && !m_bEmpty && !IsFirst();
    case ID_RECORD_NEXT:
    case ID_RECORD_LAST: return !m_bInserting && !entering && !m_bEmpty && !IsLast();
    case ID_RECORD_INSERT: return m_nFilterMode == FilterNone;
    case ID_RECORD_SAVE: return m_bInserting;
    case ID_RECORD_UNDO: return !m_bInserting && !entering && !m_bEmpty;
    case ID_RECORD_DELETE: return !m_bInserting && !m_bEmpty && !entering;
    case ID_RECORD_FILTER: return !m_bInserting;
    case ID_CORRELAZIONI_ARTICOLI: return true;
    default: return false;
    }
}

// The correlations open on the shown article.
void CArticoliViewCore::OnOtherCommand(int id)
{
    if (id == ID_CORRELAZIONI_ARTICOLI && CurrentID() > 0 && m_openCorrelations)
        m_openCorrelations(CurrentID(), m_shown.codice);
}

void CArticoliViewCore::ClickSection(qint32 section)
{
    if (section <= 0)
        return;
    if (m_nFilterMode == FilterEntering) {
        m_nFilterSection = section;
        m_ticked = {section};
        return;
    }
    const qint32 article = m_bInserting ? m_nReserved : CurrentID();
    if (article <= 0)
        return;
    CSezioniArticoliSet links(&m_db);
    if (Rows::OpenWhere(links, CDaoCriteria::Format(QStringLiteral("IDSezione=%d AND IDArticolo=%d"), {section, article}))) {
        while (!links.IsEOF()) {
            links.Delete();
            links.MoveNext();
        }
        m_ticked.remove(section);
        return;
    }
    const qint32 id = links.GetNextID();
    links.AddNew();
    links.m_ID = id;
    links.m_IDSezione = section;
    links.m_IDArticolo = article;
    links.m_Modificato = true;
    links.Update();
    m_ticked.insert(section);
    m_nPickerSection = section;
}

bool CArticoliViewCore::SelectTab(int tab)
{
    if (tab == m_nTab)
        return true;
    // What was typed on the page being left is saved first; a failed save
    // keeps that page.
    if (!m_bInserting && m_nFilterMode != FilterEntering && !LeaveRecord())
        return false;
    if (tab != TabGenerale) {
        QString text;
        QString caption;
        if (m_bEmpty && !m_bInserting) {
            text = QStringLiteral("ATTENZIONE: l'archivio è vuoto.\n\nPertanto è necessario attivare prima la modalità "
                                  "inserimento.");
            caption = kInsertCaption;
        } else if (m_bInserting) {
            text = QStringLiteral("ATTENZIONE: durante l'inserimento non è possibile accedere\nai moduli avanzate, link, "
                                  "files.");
            caption = QStringLiteral("Inserimento articoli");
        } else if (m_nFilterMode == FilterEntering) {
            text = QStringLiteral("ATTENZIONE: durante l'impostazione di un filtro non è possibile accedere\nai moduli "
                                  "avanzate, link, files.");
            caption = QStringLiteral("Impostazione filtri");
        }
        if (!text.isEmpty()) {
            CMessageBox::Show(nullptr, text, caption, CMessageBox::Exclamation);
            return false;
        }
    }
    m_nTab = tab;
    return true;
}

void CArticoliViewCore::ChooseReply(qint32 article)
{
    m_form.idRisposta = article > 0 ? article : 0;
    m_form.rispostaNome = article > 0 ? ArticleName(article) : QString();
}

QString CArticoliViewCore::ArticleName(qint32 article) const
{
    CArticoliLinSet texts(&m_db);
    if (!Rows::OpenWhere(texts, CDaoCriteria::Format(QStringLiteral("IDArticolo=%d AND CodiceLingua='%s'"),
                                               {article, m_strDefault}))
        && !Rows::OpenWhere(texts, CDaoCriteria::Format(QStringLiteral("IDArticolo=%d"), {article})))
        return QString();
    if (!texts.m_Titolo.isEmpty())
        return texts.m_Titolo;
    if (!texts.m_Sottotitolo.isEmpty())
        return texts.m_Sottotitolo;
    return texts.m_Testo;
}
