#include "desktop/catalogue/tests/CatalogueFixture.h"

#include "recordset/CCategorieLinSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <gtest/gtest.h>

CatalogueFixture::CatalogueFixture() : m_strFolder(m_temp.Path() + QStringLiteral("/negozio"))
{
    for (const char* dir : {"db", "website/images/prodotti/th", "website/images/prodotti/files"})
        QDir().mkpath(m_strFolder + QLatin1Char('/') + QLatin1String(dir));
    const QString reference = QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb");
    EXPECT_TRUE(QFile::copy(reference, DatabasePath())) << reference.toStdString();
    QFile::setPermissions(DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
    m_db.Open(DatabasePath());
}

CatalogueFixture::~CatalogueFixture()
{
    m_db.Close();
}

void CatalogueFixture::AddLanguage(qint32 id, const QString& code, bool active)
{
    m_db.Execute(QStringLiteral("INSERT INTO Lingue (ID, Codice, Descrizione, Attivo) VALUES (?, ?, ?, ?)"),
                 {id, code, code, active ? 1 : 0});
}

void CatalogueFixture::AddCategory(qint32 id, qint32 parent, qint32 order)
{
    m_db.Execute(QStringLiteral("INSERT INTO Categorie (ID, IDCategoriaPadre, Ordine) VALUES (?, ?, ?)"),
                 {id, parent, order});
}

void CatalogueFixture::AddCategoryName(qint32 categoryId, const QString& language, const QString& name)
{
    // Through the table class, which enciphers the name.
    CCategorieLinSet names(&m_db);
    names.m_bTracking = false;
    names.Open();
    names.AddNew();
    names.m_ID = NextRow(QStringLiteral("CategorieLingue"));
    names.m_IDCategoria = categoryId;
    names.m_CodiceLingua = language;
    names.m_Nome = name;
    names.Update();
    names.Close();
}

void CatalogueFixture::AddProduct(qint32 id, const QString& code, qint32 order, bool modified)
{
    m_db.Execute(QStringLiteral("INSERT INTO Prodotti (ID, Codice, Ordine, Attivo, Modificato) VALUES (?, ?, ?, 1, ?)"),
                 {id, code, order, modified ? 1 : 0});
}

void CatalogueFixture::AddProductLanguage(qint32 id, qint32 productId, const QString& language, double price,
                                          const QString& name)
{
    CProdottiLingueSet rows(&m_db);
    rows.m_bTracking = false;
    rows.Open();
    rows.AddNew();
    rows.m_ID = id;
    rows.m_IDProdotto = productId;
    rows.m_CodiceLingua = language;
    rows.m_Nome = name;
    rows.m_Prezzo = price;
    rows.Update();
    rows.Close();
}

void CatalogueFixture::AddLink(qint32 id, qint32 categoryId, qint32 productId)
{
    m_db.Execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (?, ?, ?)"),
                 {id, categoryId, productId});
}

void CatalogueFixture::ClearModified()
{
    for (const char* table : {"Prodotti", "ProdottiLingue", "CategorieProdotti", "Categorie", "CategorieLingue"})
        m_db.Execute(QStringLiteral("UPDATE %1 SET Modificato=0").arg(QLatin1String(table)));
}

qint32 CatalogueFixture::NextRow(const QString& table)
{
    return Scalar(QStringLiteral("SELECT COALESCE(MAX(ID), 0) + 1 FROM %1").arg(table)).toInt();
}

QVariant CatalogueFixture::Scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery query(m_db.Connection());
    query.prepare(sql);
    for (const QVariant& value : params)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return QVariant();
    return query.value(0);
}

QByteArray CatalogueFixture::DatabaseBytes()
{
    m_db.Checkpoint();
    QFile file(DatabasePath());
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString CatalogueFixture::DataFile(const QString& relative)
{
    return QStringLiteral(QTR_CATALOGUE_TEST_DATA) + QLatin1Char('/') + relative;
}
