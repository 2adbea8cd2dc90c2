#include "platform/dao/CDaoDatabase.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/CValuteSet.h"
#include "recordset/schema/ShopSchema.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

namespace {

QString ConventionType(QtrColumnKind kind)
{
    switch (kind) {
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: return QStringLiteral("REAL");
    case QtrColumnKind::DateTime:
    case QtrColumnKind::Text:
    case QtrColumnKind::EText: return QStringLiteral("TEXT");
    default: return QStringLiteral("INTEGER");
    }
}

struct ReferenceFile
{
    const char* name;
    QtrDbFile file;
};

class ReferenceDatabaseTest : public ::testing::TestWithParam<ReferenceFile>
{
protected:
    static QString PathOf(const char* name) { return QStringLiteral(QTR_REFDB_DIR "/") + QLatin1String(name); }
};

// Every table of the file, with exactly its columns in binding order and
// the conventions' types, and nothing else.
TEST_P(ReferenceDatabaseTest, HoldsEveryTableWithItsColumns)
{
    CDaoDatabase db;
    db.Open(PathOf(GetParam().name));
    QSqlQuery tables(db.Connection());
    ASSERT_TRUE(tables.exec("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    QStringList present;
    while (tables.next())
        present << tables.value(0).toString();
    QStringList expected;
    for (const QtrTableDef* table : ShopSchema::TablesOf(GetParam().file))
        expected << table->Name();
    expected.sort();
    EXPECT_EQ(present, expected);

    for (const QtrTableDef* table : ShopSchema::TablesOf(GetParam().file)) {
        SCOPED_TRACE(table->name);
        QSqlQuery info(db.Connection());
        ASSERT_TRUE(info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table->Name())));
        int i = 0;
        for (; info.next(); ++i) {
            ASSERT_LT(i, table->columnCount);
            EXPECT_EQ(info.value("name").toString(), QLatin1String(table->columns[i].name));
            EXPECT_EQ(info.value("type").toString(), ConventionType(table->columns[i].kind)) << table->columns[i].name;
        }
        EXPECT_EQ(i, table->columnCount);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ReferenceDatabaseTest,
                         ::testing::Values(ReferenceFile{"database.mdb", QtrDbFile::Shop},
                                           ReferenceFile{"progettografico.mdb", QtrDbFile::Graphic},
                                           ReferenceFile{"modellografico.mdb", QtrDbFile::Graphic}),
                         [](const auto& info) { return QString::fromLatin1(info.param.name).section('.', 0, 0).toStdString(); });

class ReferenceRowsTest : public ::testing::Test
{
protected:
    void SetUp() override { db.Open(QStringLiteral(QTR_REFDB_DIR "/database.mdb")); }
    qint64 Scalar(const QString& sql)
    {
        QSqlQuery query(db.Connection());
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        return query.next() ? query.value(0).toLongLong() : -1;
    }
    CDaoDatabase db;
};

TEST_F(ReferenceRowsTest, NewProjectSettings)
{
    CConfigurazioneSet settings(&db);
    settings.Open();
    ASSERT_FALSE(settings.IsEOF());
    EXPECT_EQ(settings.m_ID, 1);
    EXPECT_EQ(settings.m_VersioneDB, 50);
    EXPECT_GT(settings.m_DimFoto, 0);
    EXPECT_GT(settings.m_DimThumbnail, 0);
    EXPECT_EQ(settings.m_Password, QString());
    settings.MoveNext();
    EXPECT_TRUE(settings.IsEOF()) << "one settings row";

    CLingueSet language(&db);
    language.m_strFilter = QStringLiteral("ID=1");
    language.Open();
    ASSERT_FALSE(language.IsEOF());
    EXPECT_TRUE(language.m_Attivo);
    EXPECT_EQ(language.m_Codice, QStringLiteral("it"));
    EXPECT_EQ(language.m_IDValuta, 1);

    CValuteSet euro(&db);
    euro.m_strFilter = QStringLiteral("ID=1");
    euro.Open();
    ASSERT_FALSE(euro.IsEOF());
    EXPECT_EQ(euro.m_Valuta, QStringLiteral("Euro"));
    EXPECT_EQ(euro.m_Simbolo, QStringLiteral("€"));
    EXPECT_FLOAT_EQ(euro.m_Cambio, 1.0f);
    EXPECT_DOUBLE_EQ(euro.m_Arrotondamento, 0.01);
}

// Every reference row goes up with a new project's first site update, and
// the counter carries on after the last version given out.
TEST_F(ReferenceRowsTest, RowsAreStampedForTheFirstUpload)
{
    qint64 rows = 0, highest = 0;
    for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop)) {
        if (!table->tracked)
            continue;
        const QString name = table->Name();
        EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE Modificato<>1").arg(name)), 0) << name.toStdString();
        rows += Scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(name));
        highest = std::max(highest, Scalar(QStringLiteral("SELECT COALESCE(MAX(VersioneRecord),0) FROM \"%1\"").arg(name)));
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ProgressivoVersioneRecord"), 1);
    EXPECT_EQ(Scalar("SELECT ProgressivoVersioneRecord FROM ProgressivoVersioneRecord"), rows);
    EXPECT_EQ(highest, rows);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM RecordsEliminati"), 0);
}

TEST_F(ReferenceRowsTest, DictionaryCodesHaveTheirTexts)
{
    CDizionarioGenSet codes(&db);
    codes.Open();
    CDizionarioLinSet texts(&db);
    texts.Open();
    int count = 0;
    for (; !codes.IsEOF(); codes.MoveNext(), ++count) {
        EXPECT_EQ(codes.m_Codice, codes.m_Codice.toUpper());
        ASSERT_TRUE(texts.FindFirst(QStringLiteral("IDCodice=? AND CodiceLingua='it'"), {codes.m_ID}))
            << codes.m_Codice.toStdString();
        EXPECT_FALSE(texts.m_Testo.isEmpty());
    }
    EXPECT_GE(count, 99);
    ASSERT_TRUE(codes.FindFirst(QStringLiteral("Codice='ERRLUNGMINPSWD'")));
    ASSERT_TRUE(texts.FindFirst(QStringLiteral("IDCodice=?"), {codes.m_ID}));
    EXPECT_TRUE(texts.m_Testo.contains(QStringLiteral("[LUNGHEZZA]")));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Dizionario WHERE Codice='PMTINTESTAZIONESMS'"), 0)
        << "a stored SMS header would replace the desk's default one";
}

TEST(ReferenceCatalogueTest, HoldsTheConditionalBlock)
{
    CDaoDatabase db;
    db.Open(QStringLiteral(QTR_REFDB_DIR "/modellografico.mdb"));
    QSqlQuery query(db.Connection());
    ASSERT_TRUE(query.exec("SELECT TipoCodice, IDCategoria FROM CodiceASP WHERE ID=101"));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 7);
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT NomeFileCSS FROM CategorieCodiciASP WHERE ID=%1").arg(query.value(1).toInt())));
    EXPECT_TRUE(query.next());
}

} // namespace
