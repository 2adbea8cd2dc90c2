#include "desktop/catalogue/CImportDati.h"

#include "desktop/catalogue/CImportDatiParser.h"
#include "desktop/catalogue/IImportDatiUi.h"
#include "platform/dao/CDaoException.h"
#include "platform/pagehost/CTextFile.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CDaoIdBlocks.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "recordset/CProductKeywords.h"
#include "recordset/CTrackedInserts.h"

#include <QSqlQuery>

namespace {

// Each first occurrence, in the order of the table's rows, as a find over
// the whole table would meet them.
template <typename Key>
void FirstOfEach(CDaoDatabase& database, const QString& sql, const QVariantList& params, QHash<Key, qint32>* map)
{
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& value : params)
        query.addBindValue(value);
    CDaoDatabase::Exec(query, sql);
    while (query.next()) {
        const Key key = query.value(1).value<Key>();
        if (!map->contains(key))
            map->insert(key, query.value(0).toInt());
    }
}

QString CodeKey(const QString& code)
{
    return code.toCaseFolded();
}

QVariant DateValue(const QDate& date)
{
    return date.isNull() ? QVariant() : QVariant(DaoDateToText(QDateTime(date, QTime(0, 0))));
}

// A set on one table that finds its rows by ID; kept open for the run, so
// a line costs a re-read of one row, not of the table.
template <class TSet>
void OpenById(TSet& set, const QString& scratch)
{
    set.m_strProjectFolder = scratch;
    set.m_strFilter = QStringLiteral("ID=?");
    set.m_filterParams = {-1};
    set.Open();
}

template <class TSet>
void MoveToId(TSet& set, qint32 id)
{
    set.m_filterParams = {id};
    set.Requery();
    if (set.IsEOF())
        throw CDaoException(QStringLiteral("Record %1 non trovato.").arg(id));
}

} // namespace

// For a product the file brings new, whose rows are all new, straight
// inserts that write what the table classes' saves would. For a product
// already there, two sets per table: one that adds (it stays past its
// end, so a new row is never read back), one that finds the row to edit.
struct CImportDati::Tables
{
    Tables(CDaoDatabase& db, const QString& folder)
        : db(db),
          editProduct(&db),
          addLanguage(&db),
          editLanguage(&db),
          addLink(&db),
          editLink(&db),
          newProduct(db, QStringLiteral("Prodotti"),
                     {QStringLiteral("ID"), QStringLiteral("Ordine"), QStringLiteral("Codice"),
                      QStringLiteral("CodiceABarre"), QStringLiteral("IVA"), QStringLiteral("Peso"),
                      QStringLiteral("Disponibilita"), QStringLiteral("Attivo"), QStringLiteral("Novita"),
                      QStringLiteral("Offerta"), QStringLiteral("Sconto"), QStringLiteral("ValiditaScontoDal"),
                      QStringLiteral("ValiditaScontoAl")},
                     folder),
          newLanguage(db, QStringLiteral("ProdottiLingue"),
                      {QStringLiteral("ID"), QStringLiteral("IDProdotto"), QStringLiteral("CodiceLingua"),
                       QStringLiteral("UM"), QStringLiteral("Prezzo"), QStringLiteral("Prezzo2"),
                       QStringLiteral("Prezzo3"), QStringLiteral("Prezzo4"), QStringLiteral("PrezzoPromozione"),
                       // the enciphered texts, members of the set: bits 9 to 12
                       QStringLiteral("Nome"), QStringLiteral("DescrizioneBreve"),
                       QStringLiteral("DescrizioneFattura"), QStringLiteral("DescrizioneEstesa")},
                      folder),
          newWords(db, QStringLiteral("ParoleChiave"),
                   {QStringLiteral("ID"), QStringLiteral("Tipo"), QStringLiteral("IDRecord"),
                    QStringLiteral("CodiceLingua"), QStringLiteral("Keywords"), QStringLiteral("Attivo")},
                   folder),
          newLink(db, QStringLiteral("CategorieProdotti"),
                  {QStringLiteral("ID"), QStringLiteral("IDProdotto"), QStringLiteral("IDCategoria")}, folder)
    {
    }

    CDaoDatabase& db;
    CProdottiGeneraleSet editProduct;
    CProdottiLingueSet addLanguage;
    CProdottiLingueSet editLanguage;
    CCategorieProdottiSet addLink;
    CCategorieProdottiSet editLink;
    CTrackedInserts newProduct;
    CTrackedInserts newLanguage;
    CTrackedInserts newWords;
    CTrackedInserts newLink;
};

CImportDati::CImportDati(CDaoDatabase& project, const QString& projectFolder, Settings settings, IImportDatiUi& ui)
    : CCatalogueJob(project, projectFolder), m_settings(std::move(settings)), m_ui(ui)
{
}

CImportDati::~CImportDati() = default;

bool CImportDati::ReadLines(const QString& path, QStringList* lines)
{
    QString text;
    if (!CTextFile::Read(path, text))
        return false;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    *lines = text.split(QLatin1Char('\n'));
    if (!lines->isEmpty() && lines->last().isEmpty())
        lines->removeLast();
    for (QString& line : *lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return true;
}

bool CImportDati::Check()
{
    m_nLines = m_nImported = m_nSkipped = m_nObsolete = 0;
    m_bStoppedAtBadLine = false;
    m_bObsoleteLeftAlone = false;
    m_lines.clear();
    if (!ReadLines(m_settings.strFile, &m_lines)) {
        m_strError = QStringLiteral("Impossibile aprire il file %1.").arg(m_settings.strFile);
        return false;
    }
    m_nLines = int(m_lines.size());
    return true;
}

CCatalogueJob::Result CImportDati::WorkOnCopy(CDaoDatabase& db, ICatalogueProgress& progress)
{
    m_strScratch = ScratchFolder();
    // Four IDs a line (product, language row, search words, category
    // link): a block at a time, within the copy's one transaction.
    CDaoIdBlocks::TakeInBlocks(db);
    LoadKeys(db);
    m_pTables = std::make_unique<Tables>(db, m_strScratch);
    // The sets go with the run, whichever way it ends.
    struct DropTables
    {
        std::unique_ptr<Tables>& tables;
        ~DropTables() { tables.reset(); }
    } drop{m_pTables};
    OpenById(m_pTables->editProduct, m_strScratch);
    OpenById(m_pTables->addLanguage, m_strScratch);
    OpenById(m_pTables->editLanguage, m_strScratch);
    OpenById(m_pTables->addLink, m_strScratch);
    OpenById(m_pTables->editLink, m_strScratch);

    progress.SetTotal(m_nLines);
    for (int i = 0; i < m_lines.size(); ++i) {
        progress.SetLabel(QStringLiteral("Import linea %1 / %2 in corso...").arg(i + 1).arg(m_nLines));
        if (Step(progress, i))
            return Cancelled;
        if (!ImportLine(i + 1, m_lines.at(i)))
            return IsStopRequested() ? Cancelled : Failed;
    }
    progress.SetDone(m_nLines);
    m_pTables.reset();

    // Products that a skipped line would have kept are not known to be
    // obsolete, so the step runs only after a clean pass.
    if (m_nSkipped > 0) {
        m_bObsoleteLeftAlone = m_settings.obsolete != Obsolete::Keep;
        return Done;
    }
    return HandleObsolete(progress, db) ? Done : Cancelled;
}

void CImportDati::LoadKeys(CDaoDatabase& db)
{
    m_productByCode.clear();
    m_languageRowByProduct.clear();
    m_linkByProduct.clear();
    m_categories.clear();
    // Merchants' files never cared about case: "art-0001" is "ART-0001".
    // The first row of a code in any case keeps it, as a find would.
    QSqlQuery codes(db.Connection());
    codes.setForwardOnly(true);
    codes.prepare(QStringLiteral("SELECT ID, Codice FROM Prodotti ORDER BY rowid"));
    CDaoDatabase::Exec(codes, codes.lastQuery());
    while (codes.next())
        if (!m_productByCode.contains(CodeKey(codes.value(1).toString())))
            m_productByCode.insert(CodeKey(codes.value(1).toString()), codes.value(0).toInt());
    FirstOfEach(db, QStringLiteral("SELECT ID, IDProdotto FROM ProdottiLingue WHERE CodiceLingua=? ORDER BY rowid"),
                {m_settings.strLanguageCode}, &m_languageRowByProduct);
    FirstOfEach(db, QStringLiteral("SELECT ID, IDProdotto FROM CategorieProdotti ORDER BY rowid"), {},
                &m_linkByProduct);
    QSqlQuery categories(db.Connection());
    categories.setForwardOnly(true);
    categories.prepare(QStringLiteral("SELECT ID FROM Categorie"));
    CDaoDatabase::Exec(categories, categories.lastQuery());
    while (categories.next())
        m_categories.insert(categories.value(0).toInt());
}

bool CImportDati::BadLine(const QString& message)
{
    if (!m_ui.GoOnAfterBadLine(message)) {
        m_strError = message;
        m_bStoppedAtBadLine = true;
        return false;
    }
    ++m_nSkipped;
    return true;
}

bool CImportDati::ImportLine(int number, const QString& line)
{
    ImportDatiRecord record;
    QString why;
    if (!CImportDatiParser::ParseLine(line, m_settings.columns, m_settings.separator, &record, &why))
        return BadLine(QStringLiteral("ERRORE durante l'operazione alla linea %1.\n").arg(number) + why);
    if (!m_categories.contains(record.nCategoria))
        return BadLine(QStringLiteral("Categoria prodotto errata alla linea %1.\n").arg(number));
    WriteProduct(record);
    ++m_nImported;
    return true;
}

void CImportDati::WriteProduct(const ImportDatiRecord& r)
{
    const auto found = m_productByCode.constFind(CodeKey(r.strCodice));
    if (found == m_productByCode.constEnd()) {
        WriteNewProduct(r);
        return;
    }
    // A product already there: its row is read and saved through its table
    // class, as are its language row, search words and link.
    CProdottiGeneraleSet& set = m_pTables->editProduct;
    const qint32 id = *found;
    MoveToId(set, id);
    set.Edit();
    set.SetFieldValue(QStringLiteral("Codice"), r.strCodice);
    set.SetFieldValue(QStringLiteral("CodiceABarre"), r.strCodiceABarre);
    set.SetFieldValue(QStringLiteral("IVA"), r.dIVA);
    set.SetFieldValue(QStringLiteral("Peso"), r.dPeso);
    set.SetFieldValue(QStringLiteral("Disponibilita"), r.dDisponibilita);
    set.SetFieldValue(QStringLiteral("Attivo"), r.bAttivo);
    set.SetFieldValue(QStringLiteral("Novita"), r.bNovita);
    set.SetFieldValue(QStringLiteral("Offerta"), r.bOfferta);
    set.SetFieldValue(QStringLiteral("Sconto"), r.dSconto);
    set.SetFieldValue(QStringLiteral("ValiditaScontoDal"), DateValue(r.dataDal));
    set.SetFieldValue(QStringLiteral("ValiditaScontoAl"), DateValue(r.dataAl));
    set.Update();
    WriteLanguageRow(id, r);
    WriteCategoryLink(id, r.nCategoria);
}

// A product new to the catalogue: its language row, search words and link
// are new too (no ID is handed out twice), so each is one insert, in the
// order, with the IDs and the version stamps, of the sets' saves. What a
// set's member left at its default (an empty text, a cleared flag) is not
// written, as the set would not write it.
void CImportDati::WriteNewProduct(const ImportDatiRecord& r)
{
    CDaoDatabase& db = m_pTables->db;
    const qint32 id = CDaoIdBlocks::Next(db, QStringLiteral("Prodotti"));
    m_pTables->newProduct.Insert({id, id, r.strCodice, r.strCodiceABarre, r.dIVA, r.dPeso, r.dDisponibilita, r.bAttivo,
                                  r.bNovita, r.bOfferta, r.dSconto, DateValue(r.dataDal), DateValue(r.dataAl)});
    m_productByCode.insert(CodeKey(r.strCodice), id);

    const qint32 languageId = CDaoIdBlocks::Next(db, QStringLiteral("ProdottiLingue"));
    const QString texts[] = {r.strNome, r.strDescrizioneBreve, r.strDescrizioneFattura, r.strDescrizioneEstesa};
    QVariantList language{languageId, id, m_settings.strLanguageCode, r.strUM, r.dPrezzo[0], r.dPrezzo[1], r.dPrezzo[2],
                          r.dPrezzo[3], r.dPrezzoPromozione};
    quint64 unset = 0;
    for (int t = 0; t < 4; ++t) {
        language << (texts[t].isEmpty() ? QVariant() : QVariant(Encrypt(texts[t])));
        if (texts[t].isEmpty())
            unset |= quint64(1) << (9 + t);
    }
    m_pTables->newLanguage.Insert(language, unset);
    m_languageRowByProduct.insert(id, languageId);

    const qint32 wordsId = CDaoIdBlocks::Next(db, QStringLiteral("ParoleChiave"));
    const QString keywords = CProductKeywords::Keywords(
        r.strCodice, {r.strNome, r.strDescrizioneFattura, r.strDescrizioneBreve, r.strDescrizioneEstesa});
    quint64 wordsUnset = r.bAttivo ? 0 : quint64(1) << 5;
    if (m_settings.strLanguageCode.isEmpty())
        wordsUnset |= quint64(1) << 3;
    m_pTables->newWords.Insert({wordsId, 1, id, m_settings.strLanguageCode, keywords, 1}, wordsUnset);

    const qint32 linkId = CDaoIdBlocks::Next(db, QStringLiteral("CategorieProdotti"));
    m_pTables->newLink.Insert({linkId, id, r.nCategoria});
    m_linkByProduct.insert(id, linkId);
}

void CImportDati::WriteLanguageRow(qint32 productId, const ImportDatiRecord& r)
{
    const auto found = m_languageRowByProduct.constFind(productId);
    const bool isNew = found == m_languageRowByProduct.constEnd();
    CProdottiLingueSet& set = isNew ? m_pTables->addLanguage : m_pTables->editLanguage;
    if (isNew) {
        const qint32 id = set.GetNextID();
        set.AddNew();
        set.SetFieldValue(QStringLiteral("ID"), id);
        set.SetFieldValue(QStringLiteral("IDProdotto"), productId);
        m_languageRowByProduct.insert(productId, id);
    } else {
        MoveToId(set, *found);
        set.Edit();
    }
    set.SetFieldValue(QStringLiteral("CodiceLingua"), m_settings.strLanguageCode);
    // The texts go through their members, which the table class enciphers.
    set.m_Nome = r.strNome;
    set.m_DescrizioneBreve = r.strDescrizioneBreve;
    set.m_DescrizioneFattura = r.strDescrizioneFattura;
    set.m_DescrizioneEstesa = r.strDescrizioneEstesa;
    set.SetFieldValue(QStringLiteral("UM"), r.strUM);
    set.SetFieldValue(QStringLiteral("Prezzo"), r.dPrezzo[0]);
    set.SetFieldValue(QStringLiteral("Prezzo2"), r.dPrezzo[1]);
    set.SetFieldValue(QStringLiteral("Prezzo3"), r.dPrezzo[2]);
    set.SetFieldValue(QStringLiteral("Prezzo4"), r.dPrezzo[3]);
    set.SetFieldValue(QStringLiteral("PrezzoPromozione"), r.dPrezzoPromozione);
    set.Update();
    // The shop's search finds an imported product as one made on the card.
    CProductKeywords keywords(*set.GetDatabase());
    keywords.m_strProjectFolder = m_strScratch;
    keywords.Write(productId, m_settings.strLanguageCode, r.strCodice,
                   {r.strNome, r.strDescrizioneFattura, r.strDescrizioneBreve, r.strDescrizioneEstesa}, r.bAttivo);
}

void CImportDati::WriteCategoryLink(qint32 productId, qint32 categoryId)
{
    const auto found = m_linkByProduct.constFind(productId);
    if (found == m_linkByProduct.constEnd()) {
        CCategorieProdottiSet& set = m_pTables->addLink;
        const qint32 id = set.GetNextID();
        set.AddNew();
        set.SetFieldValue(QStringLiteral("ID"), id);
        set.SetFieldValue(QStringLiteral("IDProdotto"), productId);
        set.SetFieldValue(QStringLiteral("IDCategoria"), categoryId);
        set.Update();
        m_linkByProduct.insert(productId, id);
        return;
    }
    CCategorieProdottiSet& set = m_pTables->editLink;
    MoveToId(set, *found);
    set.Edit();
    set.SetFieldValue(QStringLiteral("IDCategoria"), categoryId);
    set.Update();
}

// The products this run did not touch and that carry no change waiting for
// upload. Deleting goes through the table class, which logs each product
// once and deletes what hangs on it; the copy holds the files its cascades
// name, and they go only once the new database is in place.
bool CImportDati::HandleObsolete(ICatalogueProgress& progress, CDaoDatabase& db)
{
    if (m_settings.obsolete == Obsolete::Keep)
        return true;
    CProdottiGeneraleSet products(&db);
    // The cascades name the project's own files; the copy holds them.
    products.m_strProjectFolder = ProjectFolder();
    // A file lists no variants: one whose base product stays (listed, or
    // with a change waiting for upload) stays with it; one whose base goes
    // goes with it.
    products.m_strFilter = QStringLiteral(
        "Modificato=0 AND NOT (IDProdottoBase<>0 AND IDProdottoBase IN (SELECT ID FROM Prodotti WHERE Modificato<>0))");
    products.Open();
    if (products.IsEOF())
        return true;
    const bool remove = m_settings.obsolete == Obsolete::Delete;
    progress.SetLabel(QStringLiteral("Gestione prodotti obsoleti in corso..."));
    progress.SetTotal(products.GetRecordCount());
    int done = 0;
    while (!products.IsEOF()) {
        if (Step(progress, done))
            return false;
        if (remove) {
            products.Delete();
        } else {
            products.Edit();
            products.SetFieldValue(QStringLiteral("Attivo"), false);
            products.Update();
        }
        ++m_nObsolete;
        products.MoveNext();
        ++done;
    }
    progress.SetDone(done);
    return true;
}
