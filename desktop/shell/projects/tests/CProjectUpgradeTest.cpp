#include "ProjectFixture.h"

#include "desktop/shell/projects/CAggiornamentoProgettoDlg.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/CProjectOpener.h"
#include "desktop/shell/projects/CProjectUpgrade.h"
#include "desktop/shell/projects/IUpgradeProgress.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

const QString kQuestion = QStringLiteral(
    "Il progetto è stato creato con una versione precedente di Quintaro\ned è pertanto necessario aggiornarlo alla "
    "nuova versione.\n\nVuoi farlo ora?");
const QString kNotUpgraded = QStringLiteral("Il progetto non è stato aggiornato e pertanto non può essere aperto.");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QVariantList> Rows(const QString& path, const QString& sql)
{
    CDaoDatabase database;
    database.Open(path);
    QSqlQuery query(database.Connection());
    QList<QVariantList> rows;
    if (!query.exec(sql))
        return rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        rows << row;
    }
    return rows;
}

class UpgradeTest : public ::testing::Test
{
protected:
    void SetUp() override { m_project = m_fixture.MakeProject(QStringLiteral("vecchio")); }

    QString Db() const { return CProjectFolder::DatabasePath(m_project); }
    QString RefDb() const { return CProjectFolder::ReferenceDatabasePath(m_fixture.InstallFolder()); }

    CProjectUpgrade::Result RunUpgrade()
    {
        CProjectUpgrade upgrade(m_fixture.InstallFolder(), m_project);
        const CProjectUpgrade::Result result = m_ui.RunUpgrade(upgrade);
        m_strError = upgrade.Error();
        return result;
    }

    CProjectUpgrade::Check CheckSchema()
    {
        QString error;
        return CProjectUpgrade::CheckProjectSchema(m_fixture.InstallFolder(), m_project, &error);
    }

    // A project of an earlier release: the schema version given (0: none
    // readable), the old single links and keywords, a table of its own,
    // one missing table, currencies to round, dictionary and option codes
    // the reference has and the project lacks.
    void MakeOldProject(int version)
    {
        QStringList sql;
        if (version == 0)
            sql << "ALTER TABLE Configurazione DROP COLUMN VersioneDB";
        else
            sql << QStringLiteral("UPDATE Configurazione SET VersioneDB=%1").arg(version);
        sql << "ALTER TABLE ProdottiLingue ADD COLUMN Keywords TEXT"
            << "ALTER TABLE Prodotti ADD COLUMN IDCategorie INTEGER"
            << "ALTER TABLE Articoli ADD COLUMN IDSezione INTEGER"
            << "DROP TABLE ParoleChiave"
            << "CREATE TABLE Vecchia (ID INTEGER, Testo TEXT)"
            << "INSERT INTO Vecchia VALUES (1, 'via')"
            << "INSERT INTO Prodotti (ID, Attivo, IDCategorie) VALUES (1, 1, 7)"
            << "INSERT INTO Prodotti (ID, Attivo, IDCategorie) VALUES (2, 0, 8)"
            << "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Keywords) VALUES (1, 1, 'it', 'scarpe rosse')"
            << "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Keywords) VALUES (2, 2, 'en', 'shoes')"
            << "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Keywords) VALUES (3, 99, 'it', 'orfano')"
            << "INSERT INTO Articoli (ID, IDSezione) VALUES (5, 3)"
            << "DELETE FROM Valute"
            << "INSERT INTO Valute (ID, Valuta, Arrotondamento) VALUES (1, 'Euro', 0.123456)"
            << "INSERT INTO Valute (ID, Valuta, Arrotondamento) VALUES (2, 'Dollaro', 0.5)";
        // The first dictionary code and option go missing; the second code's
        // texts are the merchant's own.
        m_missingCode = ProjectFixture::Scalar(RefDb(), "SELECT Codice FROM Dizionario ORDER BY ID LIMIT 1").toString();
        m_keptCode = ProjectFixture::Scalar(RefDb(), "SELECT Codice FROM Dizionario ORDER BY ID LIMIT 1 OFFSET 1").toString();
        m_missingOption = ProjectFixture::Scalar(RefDb(), "SELECT Codice FROM Opzioni ORDER BY ID LIMIT 1").toString();
        CDaoDatabase db;
        db.Open(Db());
        for (const QString& statement : sql)
            db.Execute(statement);
        db.Execute("DELETE FROM DizionarioLingue WHERE IDCodice IN (SELECT ID FROM Dizionario WHERE Codice=?)", {m_missingCode});
        db.Execute("DELETE FROM Dizionario WHERE Codice=?", {m_missingCode});
        db.Execute("UPDATE DizionarioLingue SET Testo='mio' WHERE IDCodice IN (SELECT ID FROM Dizionario WHERE Codice=?)",
                   {m_keptCode});
        db.Execute("DELETE FROM Opzioni WHERE Codice=?", {m_missingOption});
    }

    ProjectFixture m_fixture;
    QString m_project;
    QString m_strError;
    QString m_missingCode;
    QString m_keptCode;
    QString m_missingOption;
    FakeProjectUi m_ui;
    CMessageBoxScript m_boxes;
};

TEST_F(UpgradeTest, CurrentProjectNeedsNoUpgrade)
{
    EXPECT_EQ(CheckSchema(), CProjectUpgrade::UpToDate);
}

struct SchemaCase
{
    const char* name;
    QStringList sql;
};

void PrintTo(const SchemaCase& c, std::ostream* os) { *os << c.name; }

class SchemaDifferenceTest : public UpgradeTest, public ::testing::WithParamInterface<SchemaCase>
{
};

TEST_P(SchemaDifferenceTest, IsOfferedTheUpgrade)
{
    ProjectFixture::Exec(Db(), GetParam().sql);
    EXPECT_EQ(CheckSchema(), CProjectUpgrade::NeedsUpgrade);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchemaDifferenceTest,
    ::testing::Values(SchemaCase{"ExtraTable", {"CREATE TABLE Vecchia (ID INTEGER)"}},
                      SchemaCase{"MissingTable", {"DROP TABLE ParoleChiave"}},
                      SchemaCase{"MissingColumn", {"ALTER TABLE Valute DROP COLUMN Arrotondamento"}},
                      SchemaCase{"ExtraColumn", {"ALTER TABLE Valute ADD COLUMN Vecchia TEXT"}}),
    [](const ::testing::TestParamInfo<SchemaCase>& info) { return std::string(info.param.name); });

// A project whose orders came down before the shop stored what it
// charged: the upgrade adds the columns and its orders keep them unset,
// so the desk goes on working their totals out from the lines.
TEST_F(UpgradeTest, OrdersFromBeforeTheStoredChargeKeepItUnset)
{
    QStringList sql;
    for (const char* column : {"ImportoMerci", "ImportoSpedizione", "ImportoContrassegno", "ImportoIVA", "ImportoTotale",
                               "ImportoTotaleInEuro"})
        sql << QStringLiteral("ALTER TABLE Ordini DROP COLUMN %1").arg(QLatin1String(column));
    sql << "INSERT INTO Ordini (ID, NumOrdine, SpeseSpedizione) VALUES (1000000001, '2024031000000001', 7.5)";
    ProjectFixture::Exec(Db(), sql);
    ASSERT_EQ(CheckSchema(), CProjectUpgrade::NeedsUpgrade);
    ASSERT_EQ(RunUpgrade(), CProjectUpgrade::Upgraded) << m_strError.toStdString();
    EXPECT_EQ(CheckSchema(), CProjectUpgrade::UpToDate);
    EXPECT_DOUBLE_EQ(ProjectFixture::Scalar(Db(), "SELECT SpeseSpedizione FROM Ordini").toDouble(), 7.5);
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT COUNT(*) FROM Ordini WHERE ImportoTotale IS NULL AND "
                                           "ImportoTotaleInEuro IS NULL").toInt(), 1);
}

TEST_F(UpgradeTest, UnreadableDatabaseFailsTheCheck)
{
    QFile file(Db());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    QString error;
    EXPECT_EQ(CProjectUpgrade::CheckProjectSchema(m_fixture.InstallFolder(), m_project, &error),
              CProjectUpgrade::CheckFailed);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(UpgradeTest, VersionZeroProjectIsUpgradedAndConverted)
{
    MakeOldProject(0);
    ASSERT_EQ(CheckSchema(), CProjectUpgrade::NeedsUpgrade);
    ASSERT_EQ(RunUpgrade(), CProjectUpgrade::Upgraded) << m_strError.toStdString();

    EXPECT_EQ(CheckSchema(), CProjectUpgrade::UpToDate);
    EXPECT_FALSE(QFileInfo::exists(CProjectFolder::TempDatabasePath(m_project)));
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT VersioneDB FROM Configurazione").toInt(), 50);
    // The project's rows, without the table of its own.
    EXPECT_EQ(Rows(Db(), "SELECT ID, Attivo FROM Prodotti ORDER BY ID"),
              (QList<QVariantList>{{1, 1}, {2, 0}}));
    EXPECT_TRUE(Rows(Db(), "SELECT * FROM Vecchia").isEmpty());
    // Keywords: one row per language row of an existing product.
    EXPECT_EQ(Rows(Db(), "SELECT Tipo, IDRecord, CodiceLingua, Keywords, Attivo FROM ParoleChiave ORDER BY IDRecord"),
              (QList<QVariantList>{{1, 1, "it", "scarpe rosse", 1}, {1, 2, "en", "shoes", 0}}));
    EXPECT_EQ(Rows(Db(), "SELECT IDCategoria, IDProdotto FROM CategorieProdotti ORDER BY IDProdotto"),
              (QList<QVariantList>{{7, 1}, {8, 2}}));
    // Sections are linked only from version 31.
    EXPECT_TRUE(Rows(Db(), "SELECT * FROM SezioniArticoli").isEmpty());
    EXPECT_DOUBLE_EQ(ProjectFixture::Scalar(Db(), "SELECT Arrotondamento FROM Valute WHERE ID=1").toDouble(), 0.12346);
    EXPECT_DOUBLE_EQ(ProjectFixture::Scalar(Db(), "SELECT Arrotondamento FROM Valute WHERE ID=2").toDouble(), 0.5);
    // Converted rows are stamped as changes to publish.
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT COUNT(*) FROM ParoleChiave WHERE Modificato=1 AND VersioneRecord>0").toInt(), 2);
}

// The ID counters are a table of the schema: a project that has handed out
// IDs is up to date, and an upgrade carries its counters over, so the
// rows it makes never take an ID handed out before.
TEST_F(UpgradeTest, IdCountersNeedNoUpgradeAndSurviveOne)
{
    {
        CDaoDatabase db;
        db.Open(Db());
        CDaoSqlSession session(db);
        for (int i = 0; i < 3; ++i)
            QtrIdAllocator::Next(session, QStringLiteral("ParoleChiave"), QtrIdRange::Desktop);
    }
    EXPECT_EQ(CheckSchema(), CProjectUpgrade::UpToDate);

    MakeOldProject(0);   // its keywords are made again, with new IDs
    ASSERT_EQ(RunUpgrade(), CProjectUpgrade::Upgraded) << m_strError.toStdString();
    EXPECT_EQ(Rows(Db(), "SELECT ID FROM ParoleChiave ORDER BY ID"), (QList<QVariantList>{{4}, {5}}));
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT UltimoID FROM ContatoriID WHERE Chiave='parolechiave:locale'").toInt(), 5);
}

TEST_F(UpgradeTest, DictionaryAndOptionsAreMergedFromTheReference)
{
    MakeOldProject(40);
    ASSERT_EQ(RunUpgrade(), CProjectUpgrade::Upgraded) << m_strError.toStdString();
    const QString texts = "SELECT l.CodiceLingua, l.Testo FROM DizionarioLingue l JOIN Dizionario d ON d.ID=l.IDCodice "
                          "WHERE d.Codice='%1' ORDER BY l.CodiceLingua";
    const auto expected = Rows(RefDb(), texts.arg(m_missingCode));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(Rows(Db(), texts.arg(m_missingCode)), expected);
    for (const QVariantList& row : Rows(Db(), texts.arg(m_keptCode)))
        EXPECT_EQ(row.at(1).toString(), QStringLiteral("mio"));
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT Modificato FROM Dizionario WHERE Codice=?", {m_missingCode}).toInt(), 1);
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT COUNT(*) FROM Dizionario WHERE Codice=?", {m_keptCode}).toInt(), 1);
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT Descrizione FROM Opzioni WHERE Codice=?", {m_missingOption}),
              ProjectFixture::Scalar(RefDb(), "SELECT Descrizione FROM Opzioni WHERE Codice=?", {m_missingOption}));
}

struct VersionCase
{
    int version;
    int categoryLinks;
    int sectionLinks;
    int keywords;
    double rounding;   // Valute ID 1 after the upgrade
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << "version " << c.version; }

class VersionConversionTest : public UpgradeTest, public ::testing::WithParamInterface<VersionCase>
{
};

TEST_P(VersionConversionTest, ConvertsWhatEachReleaseNeeds)
{
    const VersionCase& c = GetParam();
    MakeOldProject(c.version);
    ASSERT_EQ(RunUpgrade(), CProjectUpgrade::Upgraded) << m_strError.toStdString();
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT COUNT(*) FROM CategorieProdotti").toInt(), c.categoryLinks);
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT COUNT(*) FROM SezioniArticoli").toInt(), c.sectionLinks);
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT COUNT(*) FROM ParoleChiave").toInt(), c.keywords);
    EXPECT_DOUBLE_EQ(ProjectFixture::Scalar(Db(), "SELECT Arrotondamento FROM Valute WHERE ID=1").toDouble(), c.rounding);
    EXPECT_EQ(ProjectFixture::Scalar(Db(), "SELECT VersioneDB FROM Configurazione").toInt(), 50);
    if (c.sectionLinks) {
        EXPECT_EQ(Rows(Db(), "SELECT IDSezione, IDArticolo FROM SezioniArticoli"), (QList<QVariantList>{{3, 5}}));
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionConversionTest,
                         ::testing::Values(VersionCase{0, 2, 0, 2, 0.12346}, VersionCase{31, 2, 1, 0, 0.12346},
                                           VersionCase{40, 0, 0, 0, 0.12346}, VersionCase{45, 0, 0, 0, 0.123456}),
                         [](const ::testing::TestParamInfo<VersionCase>& info) {
                             return "Version" + std::to_string(info.param.version);
                         });

TEST(CurrencyRounding, NearestFiveDecimals)
{
    struct Case
    {
        double value;
        bool changed;
        double rounded;
    };
    for (const Case& c : {Case{0.123456, true, 0.12346}, Case{0.123454, true, 0.12345}, Case{0.5, false, 0},
                          Case{1.0, false, 0}, Case{0.0000125, true, 0.00001}, Case{0.0, false, 0}}) {
        double rounded = -1;
        EXPECT_EQ(CProjectUpgrade::RoundCurrency(c.value, &rounded), c.changed) << c.value;
        if (c.changed) {
            EXPECT_DOUBLE_EQ(rounded, c.rounded) << c.value;
        }
    }
}

TEST_F(UpgradeTest, CancelLeavesTheDatabaseAsItWas)
{
    MakeOldProject(0);
    const QByteArray before = ReadAll(Db());
    m_ui.m_bCancelUpgrade = true;
    EXPECT_EQ(RunUpgrade(), CProjectUpgrade::Cancelled);
    EXPECT_EQ(ReadAll(Db()), before);
    EXPECT_FALSE(QFileInfo::exists(CProjectFolder::TempDatabasePath(m_project)));
}

TEST_F(UpgradeTest, DatabaseErrorIsAFailureAndChangesNothing)
{
    // Two rows with one ID can't go into the current table.
    MakeOldProject(40);
    ProjectFixture::Exec(Db(), {"DROP INDEX ux_Valute_ID", "INSERT INTO Valute (ID, Valuta) VALUES (1, 'doppia')"});
    const QByteArray before = ReadAll(Db());
    CProjectUpgrade upgrade(m_fixture.InstallFolder(), m_project);
    EXPECT_EQ(m_ui.RunUpgrade(upgrade), CProjectUpgrade::Failed);
    EXPECT_FALSE(upgrade.Error().isEmpty());
    EXPECT_EQ(ReadAll(Db()), before);
    EXPECT_FALSE(QFileInfo::exists(CProjectFolder::TempDatabasePath(m_project)));
}

TEST_F(UpgradeTest, DialogRunsTheUpgradeAndAnnullaStopsIt)
{
    MakeOldProject(40);
    const QByteArray before = ReadAll(Db());
    {
        CAggiornamentoProgettoDlg dialog;
        QTimer::singleShot(0, dialog.CancelButton(), &QPushButton::click);
        CProjectUpgrade upgrade(m_fixture.InstallFolder(), m_project);
        EXPECT_EQ(dialog.RunTask(upgrade), CProjectUpgrade::Cancelled);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(ReadAll(Db()), before);
    CAggiornamentoProgettoDlg dialog;
    CProjectUpgrade upgrade(m_fixture.InstallFolder(), m_project);
    EXPECT_EQ(dialog.RunTask(upgrade), CProjectUpgrade::Upgraded) << upgrade.Error().toStdString();
    EXPECT_TRUE(dialog.TableLabel()->text().isEmpty());
    EXPECT_EQ(CheckSchema(), CProjectUpgrade::UpToDate);
}

// The question and its outcomes, as opening the project meets them.
struct AskCase
{
    const char* name;
    QMessageBox::StandardButton answer;
    bool cancel;
    bool breakIt;
    bool opened;
    CMessageBox::Icon icon;
};

void PrintTo(const AskCase& c, std::ostream* os) { *os << c.name; }

class AskUpgradeTest : public UpgradeTest, public ::testing::WithParamInterface<AskCase>
{
};

TEST_P(AskUpgradeTest, OpensOnlyAnUpgradedProject)
{
    const AskCase& c = GetParam();
    MakeOldProject(40);
    if (c.breakIt)
        ProjectFixture::Exec(Db(), {"DROP INDEX ux_Valute_ID", "INSERT INTO Valute (ID, Valuta) VALUES (1, 'doppia')"});
    const QByteArray before = ReadAll(Db());
    m_boxes.Answer(c.answer);
    m_ui.m_bCancelUpgrade = c.cancel;
    CDaoDatabase db;
    CProjectOpener opener(db, m_ui, m_fixture.InstallFolder());
    QString folder = m_project;
    EXPECT_EQ(opener.OpenProject(folder), c.opened);
    EXPECT_EQ(db.IsOpen(), c.opened);
    ASSERT_EQ(m_boxes.Shown().size(), 2);
    EXPECT_EQ(m_boxes.Shown().at(0).text, kQuestion);
    EXPECT_EQ(m_boxes.Shown().at(0).icon, CMessageBox::Question);
    EXPECT_EQ(m_boxes.Shown().at(1).icon, c.icon);
    if (c.opened) {
        EXPECT_EQ(m_boxes.Shown().at(1).text, QStringLiteral("Aggiornamento effettuato con successo."));
        EXPECT_EQ(m_ui.m_strTitle, QStringLiteral("Quintaro - [vecchio]"));
    } else {
        EXPECT_TRUE(m_boxes.Shown().at(1).text.endsWith(kNotUpgraded));
        EXPECT_TRUE(m_ui.m_strTitle.isEmpty());
        EXPECT_EQ(ReadAll(Db()), before);
    }
    EXPECT_EQ(m_ui.m_nUpgrades, c.answer == QMessageBox::Yes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AskUpgradeTest,
    ::testing::Values(AskCase{"Yes", QMessageBox::Yes, false, false, true, CMessageBox::Information},
                      AskCase{"No", QMessageBox::No, false, false, false, CMessageBox::Exclamation},
                      AskCase{"Cancelled", QMessageBox::Yes, true, false, false, CMessageBox::Exclamation},
                      AskCase{"Failed", QMessageBox::Yes, false, true, false, CMessageBox::Stop}),
    [](const ::testing::TestParamInfo<AskCase>& info) { return std::string(info.param.name); });

} // namespace
