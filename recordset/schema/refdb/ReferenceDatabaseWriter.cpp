#include "recordset/schema/refdb/ReferenceDatabaseWriter.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoFieldExchange.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

struct ReferenceDatabaseWriter::Rows
{
    QString path;
    QStringList header;
    QVector<QStringList> lines;
    QVector<int> lineNumbers;
};

namespace {

const QString kDictionaryFile = QStringLiteral("DizionarioTesti.tsv");

QString Unescape(const QString& cell)
{
    QString text;
    for (int i = 0; i < cell.size(); ++i) {
        if (cell.at(i) != QLatin1Char('\\') || i + 1 == cell.size()) {
            text += cell.at(i);
            continue;
        }
        const QChar next = cell.at(++i);
        text += next == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                : next == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                                           : next;
    }
    return text;
}

QVariant DefaultValue(QtrColumnKind kind)
{
    switch (kind) {
    case QtrColumnKind::DateTime: return DaoDateToText(DaoZeroDate());
    case QtrColumnKind::Text:
    case QtrColumnKind::EText: return QString();
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: return 0.0;
    default: return 0;
    }
}

// The stored form of one cell, or an invalid variant when it does not read
// as the column's kind.
QVariant StoredValue(QtrColumnKind kind, const QString& cell)
{
    bool ok = true;
    switch (kind) {
    case QtrColumnKind::Bool:
        if (cell.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
            return 1;
        if (cell.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
            return 0;
        [[fallthrough]];
    case QtrColumnKind::Long:
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte: {
        const int value = cell.toInt(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: {
        const double value = cell.toDouble(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    case QtrColumnKind::DateTime: {
        const QDateTime value = DaoDateFromText(cell);
        return value.isValid() ? QVariant(DaoDateToText(value)) : QVariant();
    }
    case QtrColumnKind::Text: return cell;
    case QtrColumnKind::EText: return Encrypt(cell);
    }
    return QVariant();
}

void Fail(const QString& where, const QString& what) { throw CDaoException(where + QStringLiteral(": ") + what); }

} // namespace

ReferenceDatabaseWriter::ReferenceDatabaseWriter(const QString& dataFolder) : m_strDataFolder(dataFolder) {}

QtrDbFile ReferenceDatabaseWriter::FileOf(const QString& fileName)
{
    if (fileName == QLatin1String("database.mdb"))
        return QtrDbFile::Shop;
    if (fileName == QLatin1String("progettografico.mdb") || fileName == QLatin1String("modellografico.mdb"))
        return QtrDbFile::Graphic;
    Fail(fileName, QStringLiteral("nessun database di riferimento con questo nome"));
    return QtrDbFile::Shop;
}

void ReferenceDatabaseWriter::Write(const QString& targetPath)
{
    const QFileInfo target(targetPath);
    const QtrDbFile file = FileOf(target.fileName());
    QDir().mkpath(target.absolutePath());
    const QString partial = target.absoluteFilePath() + QStringLiteral(".part");
    QFile::remove(partial);
    m_nVersion = 0;
    {
        CDaoDatabase database;
        database.Open(partial, true);
        try {
            ShopSchemaDdl::CreateTables(CDaoSqlSession(database), file);
            CDaoTransaction transaction(database);
            Fill(database, file, target.completeBaseName());
            if (file == QtrDbFile::Shop)
                WriteCounter(database);
            transaction.Commit();
        } catch (...) {
            database.Close();
            QFile::remove(partial);
            throw;
        }
    }
    // rename() replaces the old file in one step, so a reader never meets a
    // half-written reference.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(partial);
        Fail(targetPath, QStringLiteral("impossibile sostituire il file"));
    }
}

void ReferenceDatabaseWriter::Fill(CDaoDatabase& database, QtrDbFile file, const QString& dataSubfolder)
{
    const QDir dir(m_strDataFolder + QLatin1Char('/') + dataSubfolder);
    for (const QString& name : dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        const Rows rows = ReadRows(dir.filePath(name));
        if (file == QtrDbFile::Shop && name == kDictionaryFile) {
            InsertDictionary(database, rows);
            continue;
        }
        const QtrTableDef* table = ShopSchema::Find(QFileInfo(name).completeBaseName());
        if (!table || table->file != file)
            Fail(dir.filePath(name), QStringLiteral("la tabella non appartiene a questo database"));
        InsertTable(database, *table, rows);
    }
}

ReferenceDatabaseWriter::Rows ReferenceDatabaseWriter::ReadRows(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        Fail(path, in.errorString());
    Rows rows;
    rows.path = path;
    int number = 0;
    for (const QString& raw : QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'))) {
        ++number;
        if (raw.isEmpty() || raw.startsWith(QLatin1Char('#')))
            continue;
        QStringList cells = raw.split(QLatin1Char('\t'));
        if (rows.header.isEmpty()) {
            rows.header = cells;
            continue;
        }
        if (cells.size() != rows.header.size())
            Fail(QStringLiteral("%1:%2").arg(path).arg(number),
                 QStringLiteral("%1 valori per %2 colonne").arg(cells.size()).arg(rows.header.size()));
        for (QString& cell : cells)
            cell = Unescape(cell);
        rows.lines << cells;
        rows.lineNumbers << number;
    }
    return rows;
}

void ReferenceDatabaseWriter::InsertTable(CDaoDatabase& database, const QtrTableDef& table, const Rows& rows)
{
    const QStringList& columns = rows.header;
    for (const QString& column : columns)
        if (table.ColumnIndex(column) < 0)
            Fail(rows.path, QStringLiteral("la tabella %1 non ha la colonna %2").arg(table.Name(), column));
    for (int i = 0; i < rows.lines.size(); ++i)
        InsertRow(database, table, columns, rows.lines.at(i),
                  QStringLiteral("%1:%2").arg(rows.path).arg(rows.lineNumbers.at(i)));
}

void ReferenceDatabaseWriter::InsertRow(CDaoDatabase& database, const QtrTableDef& table, const QStringList& columns,
                                        const QStringList& values, const QString& where)
{
    QStringList names, marks;
    QVariantList params;
    for (int c = 0; c < table.columnCount; ++c) {
        const QtrColumnDef& column = table.columns[c];
        const QString name = QString::fromLatin1(column.name);
        const int given = columns.indexOf(name);
        QVariant value = given < 0 ? DefaultValue(column.kind) : StoredValue(column.kind, values.at(given));
        if (!value.isValid())
            Fail(where, QStringLiteral("valore non valido per %1: %2").arg(name, values.at(given)));
        if (table.tracked && name == QLatin1String("Modificato"))
            value = 1;
        if (table.tracked && name == QLatin1String("VersioneRecord"))
            value = ++m_nVersion;
        names << QLatin1Char('"') + name + QLatin1Char('"');
        marks << QStringLiteral("?");
        params << value;
    }
    database.Execute(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                         .arg(table.Name(), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                     params);
}

void ReferenceDatabaseWriter::InsertDictionary(CDaoDatabase& database, const Rows& rows)
{
    const QString path = rows.path;
    if (rows.header.size() != 2 || rows.header.at(0) != QLatin1String("Codice") || rows.header.at(1).isEmpty())
        Fail(path, QStringLiteral("l'intestazione deve essere \"Codice\" e il codice della lingua"));
    const QString language = rows.header.at(1);
    const QtrTableDef& codes = *ShopSchema::Find(QStringLiteral("Dizionario"));
    const QtrTableDef& texts = *ShopSchema::Find(QStringLiteral("DizionarioLingue"));
    for (int i = 0; i < rows.lines.size(); ++i) {
        const QString where = QStringLiteral("%1:%2").arg(path).arg(rows.lineNumbers.at(i));
        const QString code = rows.lines.at(i).at(0);
        if (code.isEmpty() || code != code.toUpper())
            Fail(where, QStringLiteral("il codice deve essere in maiuscolo: %1").arg(code));
        const QString id = QString::number(i + 1);
        InsertRow(database, codes, {QStringLiteral("ID"), QStringLiteral("Codice")}, {id, code}, where);
        InsertRow(database, texts,
                  {QStringLiteral("ID"), QStringLiteral("CodiceLingua"), QStringLiteral("IDCodice"), QStringLiteral("Testo")},
                  {id, language, id, rows.lines.at(i).at(1)}, where);
    }
}

void ReferenceDatabaseWriter::WriteCounter(CDaoDatabase& database)
{
    database.Execute(QStringLiteral("INSERT INTO ProgressivoVersioneRecord (ProgressivoVersioneRecord, Modificato) "
                                    "VALUES (?, 1)"),
                     {m_nVersion});
}
