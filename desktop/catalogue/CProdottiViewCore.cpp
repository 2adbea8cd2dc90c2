#include "desktop/catalogue/CProdottiViewCore.h"

#include "desktop/catalogue/CSostituzioneFile.h"
#include "platform/dao/CDaoException.h"

#include "desktop/catalogue/CProdottoRighe.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CProdottiGeneraleSet.h"

namespace {

const QString kInsertCaption = QStringLiteral("Inserimento prodotto");
const QString kDefaultLanguageOnly = QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita.");

bool IsBlank(const QVariant& number) { return number.isNull(); }

} // namespace

CProdottiViewCore::CProdottiViewCore(CDaoDatabase& database, const QString& projectFolder, qint32 baseProduct)
    : m_db(database),
      m_strProjectFolder(CProjectFolder::WithSlash(projectFolder)),
      m_nBase(baseProduct),
      m_list(database),
      m_pProducts(std::make_unique<CProdottiGeneraleSet>(&database)),
      m_categories(database),
      m_foto(projectFolder)
{
    m_pProducts->m_strProjectFolder = m_strProjectFolder;
}

CProdottiViewCore::~CProdottiViewCore() = default;

void CProdottiViewCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void CProdottiViewCore::Start()
{
    CConfigurazioneSet configuration(&m_db);
    configuration.Open();
    if (!configuration.IsEOF()) {
        m_nDimFoto = configuration.m_DimFoto;
        m_nDimThumbnail = configuration.m_DimThumbnail;
        m_nDimColori = configuration.m_DimColori;
        m_nTipoOrdinamento = configuration.m_TipoOrdinamento;
    }
    configuration.Close();
    m_foto.SetWidths(m_nDimFoto, m_nDimThumbnail);
    OpenProducts();
    CountRecords();
    if (m_nCount > 0)
        ShowRecord();
    else
        BlankForm(ProdottoForm::Unchecked);
}

// What was typed in the language being left is saved in it first, so a
// change of language loses nothing silently.
bool CProdottiViewCore::LeaveLanguage()
{
    // A new product is written in the default language, with its price
    // check; a row of another language alone would be a product without it.
    if (m_bInserting) {
        CMessageBox::Show(nullptr, kDefaultLanguageOnly, kInsertCaption, CMessageBox::Information);
        return false;
    }
    return !IsRecordModified() || SaveRecord();
}

void CProdottiViewCore::RefreshLanguage(const QString& current, const QString& fallback)
{
    if (m_bInserting || !LeaveLanguage())
        return;
    SetLanguages(current, fallback);
    if (!m_bInserting && m_nFilterMode != FilterEntering)
        ShowRecord();
}

void CProdottiViewCore::OpenProducts()
{
    m_list.Load(QStringLiteral("IDProdottoBase=?"), {m_nBase});
    OpenCurrent();
}

void CProdottiViewCore::RestoreBaseFilter()
{
    OpenProducts();
}

// The shown product's row, read alone.
void CProdottiViewCore::OpenCurrent()
{
    m_pProducts->m_strFilter = QStringLiteral("ID=?");
    m_pProducts->m_filterParams = {m_list.Current()};
    m_pProducts->Open();
}

void CProdottiViewCore::CountRecords()
{
    m_nCount = m_list.Count();
}

bool CProdottiViewCore::IsOnRecord() const
{
    return m_list.Current() > 0 && m_pProducts->IsOpen() && !m_pProducts->IsEOF() && !m_pProducts->IsBOF();
}

qint32 CProdottiViewCore::CurrentID() const
{
    return !m_bInserting && IsOnRecord() ? m_pProducts->m_ID : 0;
}

QString CProdottiViewCore::PositionText() const
{
    const qint32 position = IsOnRecord() && m_nCount > 0 ? m_list.Position() + 1 : 0;
    return QStringLiteral("%1 / %2").arg(position).arg(m_nCount);
}

QString CProdottiViewCore::Summary() const
{
    if (m_bInserting || !IsOnRecord())
        return QString();
    return m_shown.nome + QStringLiteral("\n") + m_shown.descrizioneBreve;
}

QString CProdottiViewCore::VariantsCaption() const
{
    return QStringLiteral("Gestione Varianti - ") + m_shown.nome;
}

QList<qint32> CProdottiViewCore::CustomCategories() const
{
    QList<qint32> ids = m_ticked.values();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString CProdottiViewCore::CustomCategoryFilter() const
{
    QString filter = QStringLiteral("IDCategoria=0");
    for (qint32 id : CustomCategories())
        filter += QStringLiteral(" OR IDCategoria=%1").arg(id);
    return filter;
}

QString CProdottiViewCore::FilesFolder() const
{
    return m_strProjectFolder + QStringLiteral("website/images/prodotti/files");
}

void CProdottiViewCore::BlankForm(int flags)
{
    ++m_nShown;
    m_form = ProdottoForm();
    m_form.attivo = m_form.novita = m_form.mailing = m_form.offerta = flags;
    m_shown = m_form;
    m_ticked.clear();
    m_nLanguageRow = 0;
    m_bFallback = false;
    m_strStoredSort.clear();
    m_strCampiCustom.clear();
    m_taglie = m_storedTaglie = TaglieProdotto();
}

void CProdottiViewCore::ShowRecord()
{
    if (!IsOnRecord()) {
        BlankForm(ProdottoForm::Unchecked);
        m_foto.Clear();
        return;
    }
    ++m_nShown;
    const qint32 id = m_pProducts->m_ID;
    ProdottoLetto read = CProdottoRighe(m_db).Read(*m_pProducts, m_strCurrent, m_strDefault);
    m_bFallback = read.fallback;
    m_nLanguageRow = read.languageRow;
    m_ticked = m_categories.Of(id);
    m_foto.Show(id);
    EnableOffer(read.form, m_pProducts->m_Offerta,
                m_pProducts->m_Sconto > 0 ? ProdottoForm::Percentage : ProdottoForm::PromotionalPrice);
    m_form = m_shown = read.form;
    m_strStoredSort = read.sort;
    m_strCampiCustom = read.campiCustom;
    m_taglie = m_storedTaglie = read.taglie;
}

void CProdottiViewCore::EnableOffer(ProdottoForm& form, bool on, int mode)
{
    if (!on) {
        form.validitaDal = QDateTime();
        form.validitaAl = QDateTime();
        form.sconto = QVariant();
        form.prezzoPromozione = QVariant();
        form.tipoOfferta = ProdottoForm::NoOfferKind;
        return;
    }
    form.tipoOfferta = mode;
    if (mode == ProdottoForm::PromotionalPrice)
        form.sconto = QVariant();
    else
        form.prezzoPromozione = QVariant();
}

void CProdottiViewCore::ChooseOfferKind(ProdottoForm& form, int kind)
{
    form.tipoOfferta = kind;
    if (kind == ProdottoForm::PromotionalPrice)
        form.sconto = QVariant();
    else
        form.prezzoPromozione = QVariant();
}

QString CProdottiViewCore::SortKey(const ProdottoForm& form) const
{
    QString key;
    switch (m_nTipoOrdinamento) {
    case 1: key = form.codice; break;
    case 2: key = form.nome; break;
    case 3: key = form.descrizioneFattura; break;
    case 4: key = form.descrizioneBreve; break;
    case 5: key = form.descrizioneEstesa; break;
    default: break;
    }
    return key.left(20);
}

QString CProdottiViewCore::CustomTextNow() const
{
    return m_customText ? m_customText() : m_strCampiCustom;
}

bool CProdottiViewCore::IsRecordModified()
{
    if (m_bInserting || m_nFilterMode == FilterEntering || !IsOnRecord())
        return false;
    return !m_form.SameAs(m_shown) || SortKey(m_form) != m_strStoredSort || !CProdottoRighe::SameCustomValues(CustomTextNow(), m_strCampiCustom)
           || m_taglie != m_storedTaglie || m_foto.IsChanged();
}

CProdottiViewCore::Failure CProdottiViewCore::ValidateForm() const
{
    const ProdottoForm& f = m_form;
    if (f.codice.trimmed().isEmpty())
        return Failure{-1, CtlCodice};
    if (f.nome.trimmed().isEmpty())
        return Failure{TabGenerale, CtlNome};
    if (f.descrizioneFattura.isEmpty() && f.descrizioneBreve.isEmpty() && f.descrizioneEstesa.isEmpty())
        return Failure{TabGenerale, CtlDescrizioneFattura};
    if (IsBlank(f.iva))
        return Failure{TabPrezzi, CtlIva};
    if (m_strCurrent == m_strDefault) {
        if (IsBlank(f.prezzi[0]))
            return Failure{TabPrezzi, CtlPrezzo};
        if (f.offerta == ProdottoForm::Checked) {
            if (f.tipoOfferta == ProdottoForm::PromotionalPrice && IsBlank(f.prezzoPromozione))
                return Failure{TabPrezzi, CtlPrezzoPromozione};
            if (f.tipoOfferta == ProdottoForm::Percentage && IsBlank(f.sconto))
                return Failure{TabPrezzi, CtlSconto};
        }
    }
    return Failure();
}

// The page of a missing field comes forward, without a save.
void CProdottiViewCore::BringForward(int tab)
{
    if (tab < 0 || tab == m_nTab)
        return;
    if (m_nTab == TabImmagine)
        m_foto.LeavePage();
    m_nTab = tab;
}

bool CProdottiViewCore::PagesRefuse()
{
    const int tab = m_checkPages ? m_checkPages() : -1;
    BringForward(tab);
    return tab >= 0;
}

bool CProdottiViewCore::Refuse(const Failure& failure)
{
    if (!failure.IsFailed())
        return false;
    BringForward(failure.page);
    if (m_showFailure)
        m_showFailure(failure);
    CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    return true;
}

bool CProdottiViewCore::PrepareFoto(qint32 id)
{
    QString error;
    if (m_foto.Prepare(id, &error))
        return true;
    CMessageBox::Show(nullptr, error, QStringLiteral("Immagine prodotto"), CMessageBox::Stop);
    return false;
}

// The picture goes in place inside the save's transaction: its upload flag
// and the file are committed together or not at all.
void CProdottiViewCore::CommitFoto(CSostituzioneFile& replacement)
{
    QString error;
    if (!m_foto.Commit(replacement, &error))
        throw CDaoException(error);
}

// Every changed field is written, whichever page is shown: the sizes too,
// from their working copies, so nothing typed on another page is lost.
bool CProdottiViewCore::SaveRecord()
{
    if (m_bInserting)
        return SaveNew();
    if (!IsOnRecord())
        return true;
    if (Refuse(ValidateForm()) || PagesRefuse())
        return false;
    CProdottiGeneraleSet& product = *m_pProducts;
    const qint32 id = product.m_ID;
    const bool fotoChanged = m_foto.IsChanged();
    if (fotoChanged && !PrepareFoto(id))
        return false;
    CSostituzioneFile replacement;
    try {
        CDaoTransaction transaction(m_db);
        ProdottoScrittura write;
        write.language = m_strCurrent;
        write.languageRow = m_bFallback ? 0 : m_nLanguageRow;
        write.campiCustom = CustomTextNow();
        write.sort = SortKey(m_form);
        write.taglie = m_taglie;
        write.flagPicture = fotoChanged;
        CProdottoRighe(m_db).Save(product, m_form, write);
        if (fotoChanged)
            CommitFoto(replacement);
        transaction.Commit();
    } catch (...) {
        replacement.Restore();
        m_foto.Abandon();
        throw;
    }
    replacement.Confirm();
    ShowRecord();
    return true;
}

void CProdottiViewCore::Undo()
{
    m_foto.Clear();
    ShowRecord();
}

bool CProdottiViewCore::LeaveRecord()
{
    return !(IsRecordModified() && !SaveRecord());
}

void CProdottiViewCore::MoveFirst()
{
    if (m_nFilterMode == FilterEntering) {
        ApplyFilter();
        return;
    }
    MoveTo(&CProdottiElenco::MoveFirst);
}

void CProdottiViewCore::MovePrev()
{
    MoveTo(&CProdottiElenco::MovePrev);
}

void CProdottiViewCore::MoveNext()
{
    MoveTo(&CProdottiElenco::MoveNext);
}

void CProdottiViewCore::MoveLast()
{
    MoveTo(&CProdottiElenco::MoveLast);
}

// Every move leaves the shown product first (saving or refusing), then shows
// the one the list points at.
void CProdottiViewCore::MoveTo(void (CProdottiElenco::*move)())
{
    if (!LeaveRecord())
        return;
    (m_list.*move)();
    OpenCurrent();
    ShowRecord();
}

void CProdottiViewCore::ToggleInsert()
{
    if (m_bInserting) {
        const auto answer = CMessageBox::Show(nullptr,
                                              QStringLiteral("ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?"),
                                              kInsertCaption, CMessageBox::Exclamation,
                                              QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
        m_bInserting = false;
        m_categories.RemoveAll(m_nReserved);
        m_foto.Clear();
        ShowRecord();
        return;
    }
    if (IsOnRecord() && !LeaveRecord())
        return;
    if (m_strCurrent != m_strDefault) {
        CMessageBox::Show(nullptr, kDefaultLanguageOnly, kInsertCaption, CMessageBox::Information);
        if (m_selectDefaultLanguage)
            m_selectDefaultLanguage();
        m_strCurrent = m_strDefault;
    }
    m_foto.Clear();
    // The shared allocator never hands an ID out twice, across base
    // products and variants alike.
    m_nReserved = m_pProducts->GetNextID();
    m_bInserting = true;
    BlankForm(ProdottoForm::Unchecked);
    m_form.attivo = ProdottoForm::Checked;
    m_shown = m_form;
    if (m_nTab > TabImmagine)
        m_nTab = TabGenerale;
}

bool CProdottiViewCore::SaveNew()
{
    if (!m_bInserting)
        return true;
    if (Refuse(ValidateForm()) || PagesRefuse())
        return false;
    const qint32 id = m_nReserved;
    const bool fotoChanged = m_foto.IsChanged() && !m_foto.Image().isNull();
    if (fotoChanged && !PrepareFoto(id))
        return false;
    CSostituzioneFile replacement;
    try {
        CDaoTransaction transaction(m_db);
        ProdottoScrittura write;
        write.language = m_strCurrent;
        write.flagPicture = fotoChanged;
        CProdottoRighe(m_db).Insert(id, m_nBase, m_form, write);
        if (m_nBase != 0)
            m_categories.CopyFrom(m_nBase, id);
        if (fotoChanged)
            CommitFoto(replacement);
        transaction.Commit();
    } catch (...) {
        replacement.Restore();
        m_foto.Abandon();
        throw;
    }
    replacement.Confirm();
    m_foto.Clear();
    m_bInserting = false;
    m_list.Reload();
    CountRecords();
    m_list.Find(id);
    OpenCurrent();
    ShowRecord();
    return true;
}

void CProdottiViewCore::Delete()
{
    if (m_bInserting || !IsOnRecord())
        return;
    if (CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione prodotto"),
                          CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    m_foto.Clear();
    m_pProducts->Delete();
    m_list.RemoveCurrent();
    m_nCount = m_list.Count();
    OpenCurrent();
    if (m_nCount <= 0 && m_nFilterMode == FilterActive) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("Sono stati cancellati tutti i record selezionati dal filtro impostato che "
                                         "viene pertanto annullato."),
                          QStringLiteral("Cancellazione prodotti"), CMessageBox::Information);
        RestoreBaseFilter();
        CountRecords();
        m_nFilterMode = FilterNone;
    }
    if (m_nCount <= 0) {
        CMessageBox::Show(nullptr, QStringLiteral("L'archivio prodotti ora è vuoto."),
                          QStringLiteral("Cancellazione prodotto"), CMessageBox::Information);
        m_nCount = 0;
        BlankForm(ProdottoForm::Unchecked);
        return;
    }
    ShowRecord();
}

void CProdottiViewCore::Filter()
{
    switch (m_nFilterMode) {
    case FilterNone:
        if (IsOnRecord() && !LeaveRecord())
            return;
        m_nFilterCategory = 0;
        BlankForm(ProdottoForm::Indeterminate);
        m_nFilterMode = FilterEntering;
        break;
    case FilterEntering:
        EndFilterEntry();
        break;
    case FilterActive:
        if (!LeaveRecord())
            return;
        m_nFilterMode = FilterNone;
        RestoreBaseFilter();
        CountRecords();
        ShowRecord();
        break;
    }
}

void CProdottiViewCore::EndFilterEntry()
{
    m_nFilterMode = m_nFilterMode == FilterEntering ? FilterNone : m_nFilterMode;
    m_nFilterCategory = 0;
    CountRecords();
    ShowRecord();
}

void CProdottiViewCore::ApplyFilter()
{
    if (m_nFilterMode != FilterEntering)
        return;
    m_list.LoadFiltered(m_nBase, m_form, m_nFilterCategory);
    OpenCurrent();
    m_nFilterMode = FilterActive;
    if (m_list.IsEmpty()) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("Il filtro impostato non seleziona alcun record e viene pertanto annullato."),
                          QStringLiteral("Impostazione filtro"), CMessageBox::Stop);
        RestoreBaseFilter();
        m_nFilterMode = FilterNone;
    }
    m_nFilterCategory = 0;
    CountRecords();
    ShowRecord();
}

void CProdottiViewCore::ClickCategory(qint32 category)
{
    if (category <= 0)
        return;
    if (m_nFilterMode == FilterEntering) {
        m_nFilterCategory = m_nFilterCategory == category ? 0 : category;
        m_ticked.clear();
        if (m_nFilterCategory)
            m_ticked.insert(m_nFilterCategory);
        return;
    }
    const qint32 product = m_bInserting ? m_nReserved : CurrentID();
    if (product <= 0)
        return;
    if (m_categories.Toggle(product, category))
        m_ticked.insert(category);
    else
        m_ticked.remove(category);
}

bool CProdottiViewCore::SelectTab(int tab)
{
    if (tab == m_nTab)
        return true;
    const bool quiet = m_bInserting || m_nFilterMode == FilterEntering;
    if (!m_bInserting && m_nCount == 0 && tab != TabGenerale) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("ATTENZIONE: l'archivio è vuoto.\n\nPertanto è necessario attivare prima la "
                                         "modalità inserimento."),
                          kInsertCaption, CMessageBox::Exclamation);
        return false;
    }
    if (m_bInserting && tab >= TabColori) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("ATTENZIONE: durante l'inserimento non è possibile accedere\nai moduli "
                                         "taglie, colori, custom, files."),
                          kInsertCaption, CMessageBox::Exclamation);
        return false;
    }
    if (m_nFilterMode == FilterEntering && tab >= TabImmagine) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("ATTENZIONE: durante l'impostazione di un filtro non è possibile accedere\nai "
                                         "moduli immagine, taglie, colori, custom, files."),
                          QStringLiteral("Impostazione filtri"), CMessageBox::Exclamation);
        return false;
    }
    if (!quiet && !LeaveRecord())
        return false;
    if (m_nTab == TabImmagine)
        m_foto.LeavePage();
    if (tab == TabImmagine)
        m_foto.EnterPage();
    m_nTab = tab;
    if (!quiet)
        ShowRecord();
    return true;
}

bool CProdottiViewCore::IsCommandEnabled(int id) const
{
    const bool entering = m_nFilterMode == FilterEntering;
    const bool onFirst = !IsOnRecord() || m_list.IsFirst();
    const bool onLast = !IsOnRecord() || m_list.IsLast();
    switch (id) {
    case ID_RECORD_INSERT: return m_nFilterMode == FilterNone;
    case ID_RECORD_FIRST: return (!m_bInserting && !onFirst) || entering;
    case ID_RECORD_PREV: return !m_bInserting && !onFirst && !entering;
    case ID_RECORD_NEXT:
    case ID_RECORD_LAST: return !m_bInserting && !onLast && !entering;
    case ID_RECORD_FILTER: return !m_bInserting;
    case ID_RECORD_DELETE: return !m_bInserting && m_nCount > 0 && !entering;
    case ID_RECORD_SAVE: return m_bInserting;
    case ID_RECORD_UNDO: return !m_bInserting && !entering && m_nCount > 0;
    case ID_VARIANTI: return CurrentID() > 0;
    case ID_CORRELAZIONI_PRODOTTI: return CurrentID() > 0;
    default: return false;
    }
}

