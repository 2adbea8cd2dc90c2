#include "desktop/catalogue/CTabelleTaglieCore.h"

#include "platform/dao/CDaoTransaction.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CValoriTaglieSet.h"

#include <algorithm>

namespace {

// One size table, found by ID, on a recordset of its own.
struct TableRow
{
    TableRow(CDaoDatabase& db, qint32 id) : row(&db)
    {
        row.m_strFilter = QStringLiteral("ID=?");
        row.m_filterParams = {id};
        row.Open();
    }
    ~TableRow() { row.Close(); }
    CValoriTaglieSet row;
};

QString Cut(const QString& text, int length)
{
    return text.left(length);
}

// "|" ends a size in Valori, so a size cannot hold one: the sizes after it
// would shift.
QString CleanSize(const QString& size)
{
    QString clean = size;
    clean.remove(QLatin1Char('|'));
    return clean.trimmed().isEmpty() ? QString() : Cut(clean, CTabelleTaglieCore::kSizeLength);
}

} // namespace

CTabelleTaglieCore::CTabelleTaglieCore(CDaoDatabase& db) : m_db(db)
{
    ReadTables();
}

void CTabelleTaglieCore::ReadTables()
{
    m_tables.clear();
    CValoriTaglieSet tables(&m_db);
    tables.Open();
    for (; !tables.IsEOF(); tables.MoveNext())
        m_tables.append({tables.m_ID, tables.m_Descrizione});
    tables.Close();
    std::stable_sort(m_tables.begin(), m_tables.end(), [](const Entry& a, const Entry& b) {
        return a.strDescrizione.localeAwareCompare(b.strDescrizione) < 0;
    });
}

void CTabelleTaglieCore::SelectTable(qint32 id)
{
    TableRow table(m_db, id);
    if (table.row.IsEOF()) {
        Deselect();
        return;
    }
    m_nSelected = id;
    m_strName = table.row.m_Descrizione;
    m_sizes = SplitSizes(table.row.m_Valori);
    m_nSelectedSize = -1;
    m_controls = {false, true, true, true, true, false, false};
}

CTabelleTaglieCore::Field CTabelleTaglieCore::InsertTable(const QString& name)
{
    if (name.trimmed().isEmpty())
        return NameField;
    CValoriTaglieSet tables(&m_db);
    tables.Open();
    const qint32 id = tables.GetNextID();
    tables.AddNew();
    tables.m_ID = id;
    tables.m_Descrizione = Cut(name, kNameLength);
    tables.m_Valori = QString();
    tables.m_Modificato = true;
    tables.Update();
    tables.Close();
    ReadTables();
    SelectTable(id);
    return NoField;
}

CTabelleTaglieCore::Field CTabelleTaglieCore::SaveTable(const QString& name)
{
    if (m_nSelected == 0)
        return NoField;
    if (name.trimmed().isEmpty())
        return NameField;
    {
        TableRow table(m_db, m_nSelected);
        if (!table.row.IsEOF()) {
            table.row.Edit();
            table.row.m_Descrizione = Cut(name, kNameLength);
            table.row.m_Valori = JoinSizes(m_sizes);
            table.row.m_Modificato = true;
            table.row.Update();
        }
    }
    ReadTables();
    Deselect();
    return NoField;
}

void CTabelleTaglieCore::DeleteTable()
{
    if (m_nSelected == 0)
        return;
    // One transaction: the products are never left pointing at a table
    // that is gone, nor detached from one that stays.
    {
        CDaoTransaction transaction(m_db);
        CProdottiGeneraleSet products(&m_db);
        products.m_strFilter = QStringLiteral("IDTabellaTaglie=?");
        products.m_filterParams = {m_nSelected};
        products.Open();
        for (; !products.IsEOF(); products.MoveNext()) {
            products.Edit();
            products.m_IDTabellaTaglie = 0;
            products.m_DATaglia = -1;
            products.m_ATaglia = -1;
            products.m_Modificato = true;
            products.Update();
        }
        products.Close();
        TableRow table(m_db, m_nSelected);
        if (!table.row.IsEOF())
            table.row.Delete();
        transaction.Commit();
    }
    ReadTables();
    Deselect();
}

CTabelleTaglieCore::Field CTabelleTaglieCore::InsertSize(const QString& size)
{
    if (m_nSelected == 0)
        return NoField;
    const QString clean = CleanSize(size);
    if (clean.isEmpty())
        return SizeField;
    m_sizes.append(clean);
    m_nSelectedSize = -1;
    m_controls.bInsertSize = true;
    m_controls.bSaveSize = false;
    m_controls.bDeleteSize = false;
    return NoField;
}

void CTabelleTaglieCore::SelectSize(int index)
{
    if (index < 0 || index >= m_sizes.size())
        return;
    m_nSelectedSize = index;
    m_controls.bInsertSize = false;
    m_controls.bSaveSize = true;
    m_controls.bDeleteSize = true;
}

CTabelleTaglieCore::Field CTabelleTaglieCore::SaveSize(const QString& size)
{
    if (m_nSelectedSize < 0)
        return NoField;
    const QString clean = CleanSize(size);
    if (clean.isEmpty())
        return SizeField;
    m_sizes[m_nSelectedSize] = clean;
    m_nSelectedSize = -1;
    m_controls.bInsertSize = true;
    m_controls.bSaveSize = false;
    m_controls.bDeleteSize = false;
    return NoField;
}

void CTabelleTaglieCore::DeleteSize()
{
    if (m_nSelectedSize < 0)
        return;
    m_sizes.removeAt(m_nSelectedSize);
    m_nSelectedSize = -1;
    m_controls.bInsertSize = true;
    m_controls.bSaveSize = false;
    m_controls.bDeleteSize = false;
}

CTabelleTaglieCore::Field CTabelleTaglieCore::Close(const QString& name)
{
    return SaveTable(name);
}

QString CTabelleTaglieCore::JoinSizes(const QStringList& sizes)
{
    QString valori;
    for (const QString& size : sizes)
        valori += size + QLatin1Char('|');
    return valori;
}

QStringList CTabelleTaglieCore::SplitSizes(const QString& valori)
{
    QStringList sizes = valori.split(QLatin1Char('|'));
    sizes.removeLast();   // what follows the last "|" is no size
    return sizes;
}

void CTabelleTaglieCore::Deselect()
{
    m_nSelected = 0;
    m_strName.clear();
    m_sizes.clear();
    m_nSelectedSize = -1;
    m_controls = Controls();
}
