#include "desktop/catalogue/CProdottiViewCore.h"

#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CParoleChiaveSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

namespace {

const QString kInsertCaption = QStringLiteral("Inserimento prodotto");

// A Single column read back as the digits it was typed with.
QVariant Number(double value) { return QVariant(QString::number(value, 'g', 7).toDouble()); }

double ValueOf(const QVariant& value) { return value.isNull() ? 0.0 : value.toDouble(); }

bool SameNumber(const QVariant& a, const QVariant& b)
{
    if (a.isNull() != b.isNull())
        return false;
    const double x = ValueOf(a);
    const double y = ValueOf(b);
    return a.isNull() || qAbs(x - y) <= 1e-7 * qMax(1.0, qAbs(x));
}

bool SameDate(const QDateTime& a, const QDateTime& b)
{
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

bool SameForm(const ProdottoForm& a, const ProdottoForm& b)
{
    if (a.codice != b.codice || a.nome != b.nome || a.codiceABarre != b.codiceABarre
        || a.descrizioneFattura != b.descrizioneFattura || a.descrizioneBreve != b.descrizioneBreve
        || a.descrizioneEstesa != b.descrizioneEstesa || a.um != b.um || a.attivo != b.attivo
        || a.novita != b.novita || a.mailing != b.mailing || a.offerta != b.offerta)
        return false;
    for (int i = 0; i < 4; ++i)
        if (!SameNumber(a.prezzi[i], b.prezzi[i]))
            return false;
    for (auto member : {&ProdottoForm::prezzoPromozione, &ProdottoForm::iva, &ProdottoForm::peso,
                        &ProdottoForm::confezioni, &ProdottoForm::disponibilita, &ProdottoForm::sconto})
        if (!SameNumber(a.*member, b.*member))
            return false;
    return SameDate(a.validitaDal, b.validitaDal) && SameDate(a.validitaAl, b.validitaAl);
}

int Flag(bool on) { return on ? ProdottoForm::Checked : ProdottoForm::Unchecked; }

bool IsBlank(const QVariant& number) { return number.isNull(); }

// A Like pattern for the values that begin with text, "!" escaping.
QString LikePrefix(QString text)
{
    text.replace(QLatin1Char('!'), QStringLiteral("!!"));
    text.replace(QLatin1Char('%'), QStringLiteral("!%"));
    text.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return text + QLatin1Char('%');
}

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

void CProdottiViewCore::RefreshLanguage(const QString& current, const QString& fallback)
{
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
    m_form = ProdottoForm();
    m_form.attivo = m_form.novita = m_form.mailing = m_form.offerta = flags;
    m_shown = m_form;
    m_ticked.clear();
    m_nLanguageRow = 0;
    m_bFallback = false;
    m_strStoredSort.clear();
    m_strCampiCustom.clear();
    m_taglie = m_storedTaglie = ProdottoTaglie();
}

void CProdottiViewCore::ShowRecord()
{
    if (!IsOnRecord()) {
        BlankForm(ProdottoForm::Unchecked);
        m_foto.Clear();
        return;
    }
    CProdottiGeneraleSet& product = *m_pProducts;
    const qint32 id = product.m_ID;
    CProdottiLingueSet row(&m_db);
    row.m_strFilter = QStringLiteral("IDProdotto=? AND CodiceLingua=?");
    row.m_filterParams = {id, m_strCurrent};
    row.Open();
    m_bFallback = false;
    if (row.IsEOF() && m_strDefault != m_strCurrent) {
        row.m_filterParams = {id, m_strDefault};
        row.Open();
        m_bFallback = !row.IsEOF();
    }
    const bool hasRow = !row.IsEOF();
    m_nLanguageRow = hasRow ? row.m_ID : 0;
    m_ticked = m_categories.Of(id);
    m_foto.Show(id);

    ProdottoForm form;
    form.codice = product.m_Codice;
    form.codiceABarre = product.m_CodiceABarre;
    form.attivo = Flag(product.m_Attivo);
    form.novita = Flag(product.m_Novita);
    form.mailing = Flag(product.m_Mailing);
    form.offerta = Flag(product.m_Offerta);
    form.iva = Number(product.m_IVA);
    form.peso = Number(product.m_Peso);
    form.confezioni = Number(product.m_Confezioni);
    form.disponibilita = Number(product.m_Disponibilita);
    form.sconto = Number(product.m_Sconto);
    if (!product.IsFieldNull(QStringLiteral("ValiditaScontoDal")))
        form.validitaDal = product.m_ValiditaScontoDal;
    if (!product.IsFieldNull(QStringLiteral("ValiditaScontoAl")))
        form.validitaAl = product.m_ValiditaScontoAl;
    const bool ownPrices = hasRow && !m_bFallback;
    for (int i = 0; i < 4; ++i)
        form.prezzi[i] = Number(0);
    form.prezzoPromozione = Number(0);
    if (hasRow) {
        form.nome = row.m_Nome;
        form.descrizioneFattura = row.m_DescrizioneFattura;
        form.descrizioneBreve = row.m_DescrizioneBreve;
        form.descrizioneEstesa = row.m_DescrizioneEstesa;
        form.um = row.m_UM;
    }
    if (ownPrices) {
        form.prezzi[0] = Number(row.m_Prezzo);
        form.prezzi[1] = Number(row.m_Prezzo2);
        form.prezzi[2] = Number(row.m_Prezzo3);
        form.prezzi[3] = Number(row.m_Prezzo4);
        form.prezzoPromozione = Number(row.m_PrezzoPromozione);
    }
    EnableOffer(form, product.m_Offerta, product.m_Sconto > 0 ? ProdottoForm::Percentage
                                                               : ProdottoForm::PromotionalPrice);
    m_form = m_shown = form;
    m_strStoredSort = hasRow ? row.m_Sort : QString();
    m_strCampiCustom = hasRow ? row.m_CampiCustom : QString();
    m_taglie = m_storedTaglie = ProdottoTaglie{product.m_IDTabellaTaglie, product.m_DATaglia, product.m_ATaglia};
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

QString CProdottiViewCore::CustomWords(const QString& campiCustom)
{
    QString words;
    const QStringList parts = campiCustom.split(QLatin1Char('|'));
    // name|value|name|value|... : a pair without its closing bar is not read.
    for (int i = 1; i + 1 < parts.size(); i += 2)
        words += parts.at(i);
    return words;
}

bool CProdottiViewCore::IsRecordModified()
{
    if (m_bInserting || m_nFilterMode == FilterEntering || !IsOnRecord())
        return false;
    return !SameForm(m_form, m_shown) || SortKey(m_form) != m_strStoredSort || CustomTextNow() != m_strCampiCustom
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

bool CProdottiViewCore::Refuse(const Failure& failure)
{
    if (!failure.IsFailed())
        return false;
    // The page of the missing field comes forward, without a save.
    if (failure.page >= 0 && failure.page != m_nTab) {
        if (m_nTab == TabImmagine)
            m_foto.LeavePage();
        m_nTab = failure.page;
    }
    if (m_showFailure)
        m_showFailure(failure);
    CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    return true;
}

template <class TSet>
void CProdottiViewCore::WriteProduct(TSet& product) const
{
    const ProdottoForm& f = m_form;
    product.m_Codice = f.codice;
    product.m_CodiceABarre = f.codiceABarre;
    product.m_Attivo = f.attivo == ProdottoForm::Checked;
    product.m_Novita = f.novita == ProdottoForm::Checked;
    product.m_Mailing = f.mailing == ProdottoForm::Checked;
    product.m_Offerta = f.offerta == ProdottoForm::Checked;
    product.m_IVA = float(ValueOf(f.iva));
    product.m_Peso = float(ValueOf(f.peso));
    product.m_Confezioni = float(ValueOf(f.confezioni));
    product.m_Disponibilita = float(ValueOf(f.disponibilita));
    product.m_Sconto = float(ValueOf(f.sconto));
    product.SetFieldValue(QStringLiteral("ValiditaScontoDal"),
                          f.validitaDal.isNull() ? QVariant() : QVariant(f.validitaDal));
    product.SetFieldValue(QStringLiteral("ValiditaScontoAl"),
                          f.validitaAl.isNull() ? QVariant() : QVariant(f.validitaAl));
    product.m_Modificato = true;
}

template <class TSet>
void CProdottiViewCore::WriteLanguage(TSet& row) const
{
    const ProdottoForm& f = m_form;
    row.m_Nome = f.nome;
    row.m_DescrizioneFattura = f.descrizioneFattura;
    row.m_DescrizioneBreve = f.descrizioneBreve;
    row.m_DescrizioneEstesa = f.descrizioneEstesa;
    row.m_UM = f.um;
    row.m_Prezzo = ValueOf(f.prezzi[0]);
    row.m_Prezzo2 = ValueOf(f.prezzi[1]);
    row.m_Prezzo3 = ValueOf(f.prezzi[2]);
    row.m_Prezzo4 = ValueOf(f.prezzi[3]);
    row.m_PrezzoPromozione = ValueOf(f.prezzoPromozione);
    row.m_Modificato = true;
}

// Written by name, so the flag goes out even when the row read earlier
// already had it set and the upload has cleared it since.
void CProdottiViewCore::FlagPicture(CProdottiGeneraleSet& product)
{
    product.SetFieldValue(QStringLiteral("VersioneFoto"), NextRecordVersion(m_db));
    product.SetFieldValue(QStringLiteral("ModificataFoto"), true);
}

bool CProdottiViewCore::PrepareFoto(qint32 id)
{
    QString error;
    if (m_foto.Prepare(id, &error))
        return true;
    CMessageBox::Show(nullptr, error, QStringLiteral("Immagine prodotto"), CMessageBox::Stop);
    return false;
}

void CProdottiViewCore::CommitFoto()
{
    QString error;
    if (!m_foto.Commit(&error))
        CMessageBox::Show(nullptr, error, QStringLiteral("Immagine prodotto"), CMessageBox::Exclamation);
}

// Every changed field is written, whichever page is shown: the sizes too,
// from their working copies, so nothing typed on another page is lost.
bool CProdottiViewCore::SaveRecord()
{
    if (m_bInserting)
        return SaveNew();
    if (!IsOnRecord())
        return true;
    if (Refuse(ValidateForm()))
        return false;
    CProdottiGeneraleSet& product = *m_pProducts;
    const qint32 id = product.m_ID;
    const bool fotoChanged = m_foto.IsChanged();
    if (fotoChanged && !PrepareFoto(id))
        return false;
    m_db.BeginTrans();
    try {
        product.Edit();
        WriteProduct(product);
        product.m_IDTabellaTaglie = m_taglie.idTabellaTaglie;
        product.m_DATaglia = m_taglie.daTaglia;
        product.m_ATaglia = m_taglie.aTaglia;
        if (fotoChanged)
            FlagPicture(product);
        product.Update();

        CProdottiLingueSet row(&m_db);
        if (m_nLanguageRow == 0 || m_bFallback) {
            row.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
            row.Open();
            const qint32 rowId = row.GetNextID();
            row.AddNew();
            row.m_ID = rowId;
            row.m_CodiceLingua = m_strCurrent;
            row.m_IDProdotto = id;
        } else {
            row.m_strFilter = QStringLiteral("ID=?");
            row.m_filterParams = {m_nLanguageRow};
            row.Open();
            row.Edit();
        }
        WriteLanguage(row);
        row.m_CampiCustom = CustomTextNow();
        row.m_Sort = SortKey(m_form);
        row.Update();
        UpdateKeywords(id, m_strCurrent);
        m_db.CommitTrans();
    } catch (...) {
        m_db.Rollback();
        m_foto.Abandon();
        throw;
    }
    if (fotoChanged)
        CommitFoto();
    ShowRecord();
    return true;
}

// The search words of the product in the language just saved.
void CProdottiViewCore::UpdateKeywords(qint32 product, const QString& language)
{
    const ProdottoForm& f = m_form;
    const QString text = f.nome + QLatin1Char(' ') + f.descrizioneFattura + QLatin1Char(' ') + f.descrizioneBreve
                         + QLatin1Char(' ') + f.descrizioneEstesa + QLatin1Char(' ') + CustomWords(CustomTextNow());
    CParoleChiaveSet words(&m_db);
    words.m_strFilter = QStringLiteral("Tipo=1 AND IDRecord=? AND CodiceLingua=?");
    words.m_filterParams = {product, language};
    words.Open();
    if (words.IsEOF()) {
        const qint32 id = words.GetNextID();
        words.AddNew();
        words.m_ID = id;
        words.m_Tipo = 1;
        words.m_CodiceLingua = language;
        words.m_IDRecord = product;
    } else {
        words.Edit();
    }
    words.m_Keywords = f.codice + QLatin1Char('/') + ElaboraKeywords(text);
    words.m_Attivo = f.attivo == ProdottoForm::Checked;
    words.m_Modificato = true;
    words.Update();
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
    if (!LeaveRecord())
        return;
    m_list.MoveFirst();
    OpenCurrent();
    ShowRecord();
}

void CProdottiViewCore::MovePrev()
{
    if (!LeaveRecord())
        return;
    m_list.MovePrev();
    OpenCurrent();
    ShowRecord();
}

void CProdottiViewCore::MoveNext()
{
    if (!LeaveRecord())
        return;
    m_list.MoveNext();
    OpenCurrent();
    ShowRecord();
}

void CProdottiViewCore::MoveLast()
{
    if (!LeaveRecord())
        return;
    m_list.MoveLast();
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
        CMessageBox::Show(nullptr, QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."),
                          kInsertCaption, CMessageBox::Information);
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
    if (Refuse(ValidateForm()))
        return false;
    const qint32 id = m_nReserved;
    const bool fotoChanged = m_foto.IsChanged() && !m_foto.Image().isNull();
    if (fotoChanged && !PrepareFoto(id))
        return false;
    m_db.BeginTrans();
    try {
        CProdottiGeneraleSet product(&m_db);
        product.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
        product.Open();
        product.AddNew();
        product.m_ID = id;
        product.m_IDProdottoBase = m_nBase;
        product.m_Ordine = id;
        WriteProduct(product);
        product.m_IDTabellaTaglie = 0;
        product.m_DATaglia = 0;
        product.m_ATaglia = 0;
        if (fotoChanged)
            FlagPicture(product);
        product.Update();

        CProdottiLingueSet row(&m_db);
        row.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
        row.Open();
        const qint32 rowId = row.GetNextID();
        row.AddNew();
        row.m_ID = rowId;
        row.m_CodiceLingua = m_strCurrent;
        row.m_IDProdotto = id;
        WriteLanguage(row);
        row.Update();
        if (m_nBase != 0)
            m_categories.CopyFrom(m_nBase, id);
        UpdateKeywords(id, m_strCurrent);
        m_db.CommitTrans();
    } catch (...) {
        m_db.Rollback();
        m_foto.Abandon();
        throw;
    }
    if (fotoChanged)
        CommitFoto();
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

// The merchant's code prefixes are bound, and their "%", "_" and "!" are
// escaped: "A_1" finds only codes that begin with "A_1".
void CProdottiViewCore::ApplyFilter()
{
    if (m_nFilterMode != FilterEntering)
        return;
    QString filter = QStringLiteral("IDProdottoBase=?");
    QVariantList values{m_nBase};
    const std::pair<const char*, int> flags[] = {
        {"Attivo", m_form.attivo}, {"Novita", m_form.novita}, {"Mailing", m_form.mailing}, {"Offerta", m_form.offerta}};
    for (const auto& [column, state] : flags) {
        if (state == ProdottoForm::Indeterminate)
            continue;
        filter += QStringLiteral(" AND %1=?").arg(QLatin1String(column));
        values << (state == ProdottoForm::Checked ? 1 : 0);
    }
    if (m_nFilterCategory > 0) {
        filter += QStringLiteral(" AND ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE IDCategoria=?)");
        values << m_nFilterCategory;
    }
    const std::pair<const char*, QString> prefixes[] = {{"Codice", m_form.codice},
                                                        {"CodiceABarre", m_form.codiceABarre}};
    for (const auto& [column, prefix] : prefixes) {
        if (prefix.isEmpty())
            continue;
        filter += QStringLiteral(" AND %1 LIKE ? ESCAPE '!'").arg(QLatin1String(column));
        values << LikePrefix(prefix);
    }
    m_list.Load(filter, values);
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

bool CProdottiViewCore::IsCommandChecked(int id) const
{
    if (id == ID_RECORD_INSERT)
        return m_bInserting;
    if (id == ID_RECORD_FILTER)
        return m_nFilterMode != FilterNone;
    return false;
}

void CProdottiViewCore::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return;
    switch (id) {
    case ID_RECORD_FIRST: MoveFirst(); break;
    case ID_RECORD_PREV: MovePrev(); break;
    case ID_RECORD_NEXT: MoveNext(); break;
    case ID_RECORD_LAST: MoveLast(); break;
    case ID_RECORD_INSERT: ToggleInsert(); break;
    case ID_RECORD_SAVE: SaveNew(); break;
    case ID_RECORD_DELETE: Delete(); break;
    case ID_RECORD_FILTER: Filter(); break;
    case ID_RECORD_UNDO: Undo(); break;
    default: break;
    }
}
