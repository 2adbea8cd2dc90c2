#include "exchange/scripts/CScriptEx.h"

#include "exchange/scripts/CScriptExTables.h"
#include "exchange/scripts/CScriptExValue.h"
#include "exchange/scripts/CStagedFiles.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/utilities/QtrCipher.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CDaoIdBlocks.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/CQTRDaoRecordset.h"
#include "recordset/CTrackedRowSaves.h"
#include "recordset/schema/QtrIdAllocator.h"
#include "recordset/schema/ShopSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJSEngine>
#include <QRegularExpression>

#include <stdexcept>

namespace {

const QtrTableDef& Definition(const QString& table)
{
    const QtrTableDef* def = ShopSchema::Find(table);
    if (!def || def->file != QtrDbFile::Shop)
        throw std::invalid_argument(QStringLiteral("Tabella sconosciuta: %1").arg(table).toStdString());
    return *def;
}

QtrColumnKind Kind(const QString& table, const QString& column)
{
    const QtrTableDef& def = Definition(table);
    const int index = def.ColumnIndex(column);
    if (index < 0)
        throw std::invalid_argument(QStringLiteral("Colonna sconosciuta: %1.%2").arg(table, column).toStdString());
    return def.columns[index].kind;
}

} // namespace

CScriptEx::CScriptEx(CDaoDatabase* database, const QString& exchangeFolder, const QString& projectFolder, QObject* parent)
    : QObject(parent),
      m_database(database),
      m_exchangeFolder(exchangeFolder),
      m_projectFolder(projectFolder.endsWith(QLatin1Char('/')) ? projectFolder : projectFolder + QLatin1Char('/')),
      m_files(exchangeFolder)
{
}

CScriptEx::~CScriptEx() = default;

// A failure inside a method becomes an error of the calling script; a C++
// caller gets the exception.
template <class Body>
auto CScriptEx::Guard(Body&& body) -> decltype(body())
{
    try {
        return body();
    } catch (const std::exception& error) {
        QJSEngine* engine = qjsEngine(this);
        if (!engine)
            throw;
        const QString text = dynamic_cast<const CDaoException*>(&error)
                                 ? static_cast<const CDaoException&>(error).GetErrorMessage()
                                 : QString::fromStdString(error.what());
        engine->throwError(text);
        return decltype(body())();
    }
}

std::unique_ptr<CQTRDaoRecordset> CScriptEx::OpenTable(const QString& table, const QString& filter,
                                                       const QVariantList& values) const
{
    const QtrTableDef& def = Definition(table);
    auto recordset = std::make_unique<CQTRDaoRecordset>(m_database);
    recordset->m_strProjectFolder = m_projectFolder;
    recordset->m_strTableName = def.Name();
    recordset->m_strFilter = filter;
    recordset->m_filterParams = values;
    recordset->Open(-1, QStringLiteral("SELECT * FROM ") + def.Name());
    return recordset;
}

// The current table's rows, read when a script first walks them.
CQTRDaoRecordset& CScriptEx::Current()
{
    if (m_table.isEmpty())
        throw std::logic_error("Nessuna tabella aperta: chiamare prima ApriTabella");
    if (!m_current)
        m_current = OpenTable(m_table);
    return *m_current;
}

void CScriptEx::ApriTabella(const QString& table)
{
    Guard([&] {
        m_table = Definition(table).Name();
        m_current.reset();
        m_criteria.clear();
    });
}

void CScriptEx::ChiudiTabella()
{
    Guard([&] {
        m_current.reset();
        m_table.clear();
    });
}

void CScriptEx::ImpostaCampo(const QString& column, const QString& value)
{
    Guard([&] {
        if (m_table.isEmpty())
            throw std::logic_error("Nessuna tabella aperta: chiamare prima ApriTabella");
        const QtrColumnKind kind = Kind(m_table, column);
        // Checked here, so the script's error names the line that set it.
        QVariant checked;
        QString error;
        if (!CScriptExValue::Parse(value, kind, &checked, &error))
            throw std::invalid_argument(QStringLiteral("%1 (%2.%3)").arg(error, m_table, column).toStdString());
        if (m_table == QLatin1String("Prodotti")) {
            if (column.compare(QLatin1String("Codice"), Qt::CaseInsensitive) == 0)
                m_productCode = value;
            if (column.compare(QLatin1String("Attivo"), Qt::CaseInsensitive) == 0)
                m_productActive = checked.toBool() ? 1 : 0;
        }
        m_queue.append({column, kind == QtrColumnKind::EText ? Encrypt(value) : value});
    });
}

void CScriptEx::ImpostaCampoCustom(const QString& name, const QString& value)
{
    Guard([&] {
        // "|" separates the pairs: one inside a name or a value would shift
        // every pair after it.
        if (name.contains(QLatin1Char('|')) || value.contains(QLatin1Char('|')))
            throw std::invalid_argument(QStringLiteral("Il carattere | non e' ammesso nei campi personalizzati: %1")
                                            .arg(name)
                                            .toStdString());
        m_custom += name + QLatin1Char('|') + value + QLatin1Char('|');
    });
}

QString CScriptEx::GetField(const QString& column) const
{
    for (const auto& [name, value] : m_queue) {
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QString();
}

QString CScriptEx::Queued(const QString& column, bool decipher) const
{
    const QString value = GetField(column);
    return decipher ? Decrypt(value) : value;
}

QVariant CScriptEx::Parsed(const QString& table, const QString& column, const QString& text)
{
    QVariant value;
    QString error;
    if (!CScriptExValue::Parse(text, Kind(table, column), &value, &error))
        throw std::invalid_argument(QStringLiteral("%1 (%2.%3)").arg(error, table, column).toStdString());
    // A NULL is set as SetFieldValueNull sets it.
    return value.isNull() ? QVariant() : value;
}

void CScriptEx::SetCampo(CQTRDaoRecordset& recordset, const QString& table, const QString& column, const QString& text)
{
    const QVariant value = Parsed(table, column, text);
    if (value.isNull())
        recordset.SetFieldValueNull(column);
    else
        recordset.SetFieldValue(column, value);
}

qint32 CScriptEx::ModificaRecord(const QString& criteria, const QVariantList& values)
{
    return Guard([&] {
        if (m_table.isEmpty())
            throw std::logic_error("Nessuna tabella aperta: chiamare prima ApriTabella");
        // Only the first row the criteria select is read, and the row is
        // written as its table class would write it, with no set kept in
        // step: a script that writes row after row pays one read and one
        // write a row.
        const QtrTableDef& def = Definition(m_table);
        CTrackedRowSaves& saves = Saves();
        const std::optional<CTrackedRowSaves::Found> found =
            saves.First(m_table, criteria.isEmpty() ? QStringLiteral("1=0") : criteria, values);
        CTrackedRowSaves::Values row;
        qint32 id = 0;
        if (found) {
            id = found->id;
        } else {
            id = ProssimoID();
            row.append({QStringLiteral("ID"), id});
            if (def.ColumnIndex(QStringLiteral("Ordine")) >= 0)
                row.append({QStringLiteral("Ordine"), id});
        }
        if (m_table == QLatin1String("ProdottiLingue")) {
            CalcSort();
            CalcKeywords(GetField(QStringLiteral("IDProdotto")).toInt());
            if (!m_custom.isEmpty())
                m_queue.append({QStringLiteral("CampiCustom"), m_custom});
        }
        for (const auto& [column, text] : m_queue)
            row.append({QString::fromLatin1(def.columns[def.ColumnIndex(column)].name), Parsed(m_table, column, text)});
        row.append({QStringLiteral("Modificato"), true});
        if (found)
            saves.Edit(m_table, found->rowid, row);
        else
            saves.Add(m_table, row);
        if (m_table == QLatin1String("Prodotti"))
            CopiaCategorieVarianti(id);
        m_queue.clear();
        m_custom.clear();
        m_current.reset();
        return id;
    });
}

void CScriptEx::EndWrites() { m_saves.reset(); }

CTrackedRowSaves& CScriptEx::Saves()
{
    if (!m_saves)
        m_saves = std::make_unique<CTrackedRowSaves>(*m_database, m_projectFolder);
    return *m_saves;
}

// Scripts run on the desktop: their rows take IDs of the desktop's range,
// from the one allocator both halves share.
qint32 CScriptEx::ProssimoID()
{
    return CDaoIdBlocks::Next(*m_database, Definition(m_table).Name());
}

qint32 CScriptEx::NextID(CQTRDaoRecordset& recordset)
{
    return CDaoIdBlocks::Next(*recordset.GetDatabase(), recordset.GetTableName());
}

qint32 CScriptEx::IDEsterno2ID(const QString& table, const QString& externalKey)
{
    return Guard([&] {
        auto recordset = OpenTable(table, QStringLiteral("IDEsterno=?"), {externalKey});
        return recordset->IsEOF() ? 0 : recordset->GetFieldValue(QStringLiteral("ID")).toInt();
    });
}

QString CScriptEx::ID2IDEsterno(const QString& table, qint32 id)
{
    return Guard([&] {
        auto recordset = OpenTable(table, QStringLiteral("ID=?"), {id});
        return recordset->IsEOF() ? QString() : recordset->GetFieldValue(QStringLiteral("IDEsterno")).toString();
    });
}

bool CScriptEx::InizializzaFiles()
{
    return Guard([&] { return m_files.Initialize(); });
}

QString CScriptEx::LeggiRecord()
{
    return Guard([&] { return m_files.ReadLine(); });
}

bool CScriptEx::SelezionaRecord(const QString& criteria, const QVariantList& values)
{
    return Guard([&] {
        if (m_table.isEmpty())
            throw std::logic_error("Nessuna tabella aperta: chiamare prima ApriTabella");
        m_current = OpenTable(m_table, criteria, values);
        m_criteria = criteria;
        m_criteriaValues = values;
        return !m_current->IsEOF();
    });
}

bool CScriptEx::SelezionaRecordSuccessivo(const QString& criteria, const QVariantList& values)
{
    return Guard([&] {
        CQTRDaoRecordset& table = Current();
        // The rows of the same criteria are already the only ones read.
        if (!m_criteria.isEmpty() && criteria == m_criteria && values == m_criteriaValues) {
            if (!table.IsEOF())
                table.MoveNext();
            return !table.IsEOF();
        }
        return table.FindNext(criteria, values);
    });
}

QString CScriptEx::ColumnText(CQTRDaoRecordset& recordset, const QString& table, const QString& column) const
{
    const QtrColumnKind kind = Kind(table, column);
    const QString text = CScriptExValue::Text(recordset.GetFieldValue(column), kind);
    return kind == QtrColumnKind::EText ? Decrypt(text) : text;
}

QString CScriptEx::ValoreCampo(const QString& column)
{
    return Guard([&] {
        CQTRDaoRecordset& table = Current();
        if (table.IsEOF() || table.IsBOF())
            return QString();
        return ColumnText(table, m_table, column);
    });
}

QString CScriptEx::ValoreCampoTabella(const QString& table, const QString& column, const QString& condition,
                                      const QVariantList& values)
{
    return Guard([&] {
        auto recordset = OpenTable(table, condition, values);
        return recordset->IsEOF() ? QString() : ColumnText(*recordset, Definition(table).Name(), column);
    });
}

QString CScriptEx::ExportPath(const QString& fileName) const
{
    static const QRegularExpression plain(QStringLiteral("^[^/\\\\:\\x00-\\x1f]+$"));
    if (!plain.match(fileName).hasMatch() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        throw std::invalid_argument(QStringLiteral("Nome di file non valido: %1").arg(fileName).toStdString());
    if (m_exchangeFolder.isEmpty())
        throw std::runtime_error("Nessuna cartella di scambio (path.ini)");
    return m_exchangeFolder + QLatin1Char('/') + fileName;
}

void CScriptEx::ScriviFileExport(const QString& fileName, const QString& line)
{
    Guard([&] {
        QFile file(ExportPath(fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write((line + QLatin1Char('\n')).toUtf8()) < 0)
            throw std::runtime_error(QStringLiteral("Impossibile scrivere %1").arg(file.fileName()).toStdString());
    });
}

void CScriptEx::ScriviNuovoFileExport(const QString& fileName, const QString& line)
{
    Guard([&] {
        QFile::remove(ExportPath(fileName));
        ScriviFileExport(fileName, line);
    });
}

void CScriptEx::EliminaRecord(const QString& table, const QString& criteria, const QVariantList& values)
{
    Guard([&] {
        m_current.reset();
        m_table.clear();
        std::unique_ptr<CQTRDaoRecordset> recordset = CScriptExTables::Open(*m_database, Definition(table).Name());
        recordset->m_strProjectFolder = m_projectFolder;
        if (recordset->FindFirst(criteria, values))
            recordset->Delete();
    });
}

void CScriptEx::ImportaFotoProdotto(qint32 productId, const QString& imagePath)
{
    Guard([&] {
        const QString path = imagePath.trimmed();
        if (path.isEmpty() || !QFileInfo::exists(path))
            return;
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        if (image.isNull())
            throw std::runtime_error(QStringLiteral("Immagine non leggibile: %1").arg(path).toStdString());
        auto settings = OpenTable(QStringLiteral("Configurazione"));
        const int photo = settings->IsEOF() ? 0 : settings->GetFieldValue(QStringLiteral("DimFoto")).toInt();
        const int thumbnail = settings->IsEOF() ? 0 : settings->GetFieldValue(QStringLiteral("DimThumbnail")).toInt();
        const QString folder = m_projectFolder + QStringLiteral("website/images/prodotti/");
        QDir().mkpath(folder + QStringLiteral("th"));
        const auto save = [&](int width, const QString& file) {
            const QImage scaled = width > 0 ? image.scaledToWidth(width, Qt::SmoothTransformation) : image;
            if (m_staged) {
                if (!scaled.save(m_staged->Stage(file), "JPG", 90))
                    throw std::runtime_error(QStringLiteral("Impossibile salvare %1").arg(file).toStdString());
                return;
            }
            // Written beside, then renamed: the old picture stays until
            // the new one is whole.
            const QString partial = file + QStringLiteral(".part");
            if (!scaled.save(partial, "JPG", 90) || !(QFile::remove(file) || !QFile::exists(file))
                || !QFile::rename(partial, file))
                throw std::runtime_error(QStringLiteral("Impossibile salvare %1").arg(file).toStdString());
        };
        save(photo, folder + QStringLiteral("%1.jpg").arg(productId));
        save(thumbnail, folder + QStringLiteral("th/%1.jpg").arg(productId));
        auto product = OpenTable(QStringLiteral("Prodotti"), QStringLiteral("ID=?"), {productId});
        if (product->IsEOF())
            return;
        product->Edit();
        product->SetFieldValue(QStringLiteral("ModificataFoto"), true);
        product->Update();
    });
}

void CScriptEx::CalcSort()
{
    QString sort;
    switch (m_sortMode) {
    case 1:
        sort = m_productCode;
        break;
    case 2:
        sort = Queued(QStringLiteral("Nome"), true);
        break;
    case 3:
        sort = Queued(QStringLiteral("DescrizioneFattura"), true);
        break;
    case 4:
        sort = Queued(QStringLiteral("DescrizioneBreve"), true);
        break;
    case 5:
        sort = Queued(QStringLiteral("DescrizioneEstesa"), true);
        break;
    default:
        break;
    }
    m_queue.append({QStringLiteral("Sort"), sort.left(20)});
}

void CScriptEx::CalcKeywords(qint32 productId)
{
    QString text = Queued(QStringLiteral("Nome"), true);
    for (const char* column : {"DescrizioneFattura", "DescrizioneBreve", "DescrizioneEstesa"})
        text += QLatin1Char(' ') + Queued(QLatin1String(column), true);
    const QStringList custom = m_custom.split(QLatin1Char('|'));
    for (int i = 1; i < custom.size(); i += 2)
        text += QLatin1Char(' ') + custom[i];
    const QString keywords = (ElaboraKeywords(text) + QLatin1Char(' ') + m_productCode.trimmed()).trimmed();
    const QString language = GetField(QStringLiteral("CodiceLingua"));
    const QString table = QStringLiteral("ParoleChiave");
    CTrackedRowSaves& saves = Saves();
    const std::optional<CTrackedRowSaves::Found> found =
        saves.First(table, QStringLiteral("Tipo=1 AND IDRecord=? AND CodiceLingua=?"), {productId, language});
    CTrackedRowSaves::Values row;
    if (!found) {
        row.append({QStringLiteral("ID"), CDaoIdBlocks::Next(*m_database, table)});
        row.append({QStringLiteral("Tipo"), 1});
        row.append({QStringLiteral("CodiceLingua"), language});
        row.append({QStringLiteral("IDRecord"), productId});
    }
    row.append({QStringLiteral("Keywords"), keywords.left(255)});
    row.append({QStringLiteral("Attivo"), m_productActive != 0});
    row.append({QStringLiteral("Modificato"), true});
    if (found)
        saves.Edit(table, found->rowid, row);
    else
        saves.Add(table, row);
}

void CScriptEx::CopiaCategorieVarianti(qint32 productId)
{
    const QString base = GetField(QStringLiteral("IDProdottoBase"));
    if (base.trimmed().isEmpty() || base.toInt() == 0)
        return;
    auto links = OpenTable(QStringLiteral("CategorieProdotti"), QStringLiteral("IDProdotto=?"), {base.toInt()});
    QList<qint32> categories;
    for (; !links->IsEOF(); links->MoveNext())
        categories << links->GetFieldValue(QStringLiteral("IDCategoria")).toInt();
    for (const qint32 category : categories) {
        auto own = OpenTable(QStringLiteral("CategorieProdotti"), QStringLiteral("IDProdotto=? AND IDCategoria=?"),
                             {productId, category});
        if (!own->IsEOF())
            continue;
        own->AddNew();
        own->SetFieldValue(QStringLiteral("ID"), NextID(*own));
        own->SetFieldValue(QStringLiteral("IDProdotto"), productId);
        own->SetFieldValue(QStringLiteral("IDCategoria"), category);
        own->SetFieldValue(QStringLiteral("Modificato"), true);
        own->Update();
    }
}
