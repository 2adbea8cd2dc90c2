// The installation's graphic assets: the default graphic project generates
// exactly the starting pages and style sheet the installation ships, and
// every feature of the block catalogue, generated into a page, runs in the
// demo shop.

#include "desktop/design/CPageGenerator.h"
#include "desktop/design/CStileCombo.h"
#include "desktop/design/CStyleSheetWriter.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/testing/TempFolder.h"
#include "server/core/Dizionario.h"
#include "server/core/Generale.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/demo/DemoShopMaker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace {

QString Installation() { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing: " + path.toUtf8() + ")");
}

// A project folder holding a copy of the installation's empty graphic
// project (the default one), with the site's two folders.
class GraphicProject
{
public:
    GraphicProject()
    {
        QDir().mkpath(Folder() + QStringLiteral("website/asp"));
        QDir().mkpath(Folder() + QStringLiteral("website/images"));
        QDir().mkpath(Folder() + QStringLiteral("db"));
        const QString database = Folder() + QStringLiteral("db/progettografico.mdb");
        if (!QFile::copy(Installation() + QStringLiteral("db/progettografico.mdb"), database))
            throw std::runtime_error("graphic project missing");
        QFile::setPermissions(database, QFile::permissions(database) | QFile::WriteOwner);
        m_database.Open(database);
    }
    ~GraphicProject() { m_database.Close(); }

    QString Folder() const { return m_temp.Path() + QLatin1Char('/'); }
    QString Asp(const QString& name) const { return Folder() + QStringLiteral("website/asp/") + name; }
    QString Images(const QString& name) const { return Folder() + QStringLiteral("website/images/") + name; }
    CDaoDatabase& Database() { return m_database; }

    // "Rigenera intero progetto", then every category's style sheet.
    void GenerateAll(const QString& installFolder)
    {
        CPageGenerator(m_database, installFolder, Folder()).RegenerateProject();
        for (qint32 block : Column(QStringLiteral("SELECT MIN(ID) FROM CodiceASP WHERE IDCategoria>0 GROUP BY IDCategoria")))
            CStyleSheetWriter(m_database, Folder()).WriteStyleSheets(block);
    }

    QList<qint32> Column(const QString& sql)
    {
        QList<qint32> values;
        QSqlQuery query(m_database.Connection());
        if (!query.exec(sql))
            throw std::runtime_error(query.lastError().text().toStdString());
        while (query.next())
            values << query.value(0).toInt();
        return values;
    }

private:
    TempFolder m_temp;
    CDaoDatabase m_database;
};

// The committed starting pages are the generator's output: whoever changes
// the default project or a page template regenerates them (the test leaves
// what it made in its folder to copy from).
TEST(DefaultGraphicProject, GeneratesTheStartingPagesTheInstallationShips)
{
    GraphicProject project;
    project.GenerateAll(Installation());
    const QDir source(QStringLiteral(QTR_SOURCE_DIR "/server/template"));
    const QString keep = QStringLiteral(QTR_BINARY_DIR "/default-project");
    QDir(keep).removeRecursively();
    QStringList generated;
    for (const QString& sub : {QStringLiteral("asp"), QStringLiteral("images")}) {
        const QDir made(project.Folder() + QStringLiteral("website/") + sub);
        const QString shipped = sub == QLatin1String("asp") ? QStringLiteral("system") : QStringLiteral("images");
        for (const QString& name : made.entryList(QDir::Files)) {
            generated << name;
            const QByteArray bytes = ReadAll(made.filePath(name));
            QDir().mkpath(keep + QLatin1Char('/') + shipped);
            QFile copy(keep + QLatin1Char('/') + shipped + QLatin1Char('/') + name);
            if (copy.open(QIODevice::WriteOnly))
                copy.write(bytes);
            EXPECT_EQ(bytes, ReadAll(source.filePath(shipped + QLatin1Char('/') + name)))
                << shipped.toStdString() << "/" << name.toStdString() << " differs from what generation made in "
                << keep.toStdString();
        }
    }
    // The header and the footer carry the layout, and the sheet the colours.
    for (const char* name : {"testa.inc", "piede.inc", "modello.css"})
        EXPECT_TRUE(generated.contains(QLatin1String(name))) << name;
    const QByteArray head = ReadAll(project.Asp(QStringLiteral("testa.inc")));
    EXPECT_TRUE(head.contains("<link rel=\"stylesheet\" href=\"/images/modello.css\" type=\"text/css\">\r\n</head>"));
    EXPECT_FALSE(head.contains("%%"));
    EXPECT_FALSE(head.contains("##"));
}

// The merchant's parameters change the pages: the menu above the logo's
// row, the logo with the shop's name, the footer without the VAT number.
TEST(DefaultGraphicProject, ItsParametersChangeThePages)
{
    GraphicProject project;
    auto set = [&](const char* bookmark, const char* value) {
        project.Database().Execute(QStringLiteral("UPDATE Parametri SET Valore=? WHERE Bookmark=?"),
                                   {QString::fromLatin1(value), QString::fromLatin1(bookmark)});
    };
    set("POSIZIONEMENU", "1");
    set("MARCHIO", "1");
    set("PARTITAIVA", "0");
    set("FORUM", "0");
    project.GenerateAll(Installation());
    const QByteArray head = ReadAll(project.Asp(QStringLiteral("testa.inc")));
    EXPECT_TRUE(head.contains("<header class=\"testata menu-sopra\">"));
    EXPECT_TRUE(head.contains("alt=\"<%= H(generale.RagioneSociale) %>\"><%= H(generale.RagioneSociale) %></a>"));
    EXPECT_FALSE(head.contains("/forum.asp"));
    EXPECT_TRUE(head.contains("/chat.asp"));
    const QByteArray foot = ReadAll(project.Asp(QStringLiteral("piede.inc")));
    EXPECT_FALSE(foot.contains("PartitaIVA"));
    EXPECT_TRUE(foot.contains("PMTTUTTIIDIRITTI"));
}

// A colour changed in the graphic project reaches the sheet the pages link.
TEST(DefaultGraphicProject, AColourOfTheFooterReachesTheStyleSheet)
{
    GraphicProject project;
    project.Database().Execute(
        QStringLiteral("UPDATE AttributiCSS SET Valore='#8A2419' WHERE IDAttributo=4 AND IDClasse IN "
                       "(SELECT ID FROM ClassiCSS WHERE NomeCSS='footer.piede')"));
    project.GenerateAll(Installation());
    EXPECT_TRUE(ReadAll(project.Images(QStringLiteral("modello.css")))
                    .contains("footer.piede\r\n{\r\n\tbackground-color: #8A2419;\r\n"));
}

// The rows of a database that break the style dialog's rules for stored
// values: the dialog could not show them, and its next save would lose them.
QStringList ValuesTheStyleDialogCannotShow(const QString& path)
{
    CDaoDatabase db;
    db.Open(path);
    QSqlQuery query(db.Connection());
    query.exec(QStringLiteral("SELECT IDClasse, IDAttributo, Valore FROM AttributiCSS ORDER BY ID"));
    const QRegularExpression colour(QStringLiteral("^#[0-9A-F]{6}$"));
    const QRegularExpression length(QStringLiteral("^[0-9%]{1,4}$"));
    const QRegularExpression whole(QStringLiteral("^[0-9]{1,4}$"));
    const QRegularExpression borderWidth(QStringLiteral("^[0-9]{1,2}$"));
    QStringList wrong;
    while (query.next()) {
        const int attribute = query.value(1).toInt();
        const QString value = query.value(2).toString();
        bool fits = false;
        if (attribute == 4 || attribute == 5 || (attribute >= 10 && attribute <= 21 && attribute % 3 == 0))
            fits = colour.match(value).hasMatch();
        else if (attribute == 0 || attribute == 1 || attribute == 32)
            fits = length.match(value).hasMatch();
        else if ((attribute >= 6 && attribute <= 9) || (attribute >= 22 && attribute <= 25))
            fits = whole.match(value).hasMatch();
        else if (attribute >= 10 && attribute <= 21 && attribute % 3 == 1)
            fits = borderWidth.match(value).hasMatch();
        else if (attribute >= 10 && attribute <= 21)
            fits = CStileCombo::Normalise(CStileCombo::BorderStyle, value) == value && !value.isEmpty();
        else if (CStileCombo::ForAttribute(attribute) != CStileCombo::None)
            fits = CStileCombo::Normalise(CStileCombo::ForAttribute(attribute), value) == value && !value.isEmpty();
        if (!fits)
            wrong << QStringLiteral("class %1, attribute %2: \"%3\"").arg(query.value(0).toString()).arg(attribute).arg(value);
    }
    db.Close();
    return wrong;
}

TEST(InstallationGraphicData, HoldsOnlyValuesTheStyleDialogShows)
{
    for (const char* name : {"db/progettografico.mdb", "db/modellografico.mdb"})
        EXPECT_EQ(ValuesTheStyleDialogCannotShow(Installation() + QLatin1String(name)), QStringList()) << name;
}

// Each parameter of the catalogue fills a placeholder of its feature's
// code, and each feature's sheet is one the project has (a page links the
// sheets of its blocks' categories).
TEST(InstallationGraphicData, EveryCatalogueParameterHasItsPlaceholder)
{
    CDaoDatabase db;
    db.Open(Installation() + QStringLiteral("db/modellografico.mdb"));
    QSqlQuery query(db.Connection());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT p.Bookmark, c.ASP, c.ID FROM Parametri p JOIN CodiceASP c ON "
                                          "c.ID=p.IDCodiceASP")));
    int parameters = 0;
    while (query.next()) {
        ++parameters;
        QString code = query.value(1).toString();
        if (code.startsWith(QLatin1Char('\\')))
            code = QString::fromUtf8(ReadAll(Installation() + QStringLiteral("template/") + code.mid(1).replace(QLatin1Char('\\'), QLatin1Char('/'))));
        EXPECT_TRUE(code.contains(QStringLiteral("%%") + query.value(0).toString()))
            << "block " << query.value(2).toInt() << ": " << query.value(0).toString().toStdString();
    }
    EXPECT_GT(parameters, 20);
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT DISTINCT c.IDCategoria, k.NomeFileCSS FROM CodiceASP c JOIN "
                                          "CategorieCodiciASP k ON k.ID=c.IDCategoria")));
    GraphicProject project;
    while (query.next())
        EXPECT_EQ(project.Column(QStringLiteral("SELECT COUNT(*) FROM CategorieCodiciASP WHERE ID=%1 AND NomeFileCSS='%2'")
                                     .arg(query.value(0).toInt())
                                     .arg(query.value(1).toString())),
                  QList<qint32>{1});
    db.Close();
}

// The demo shop with one more page, made by the generator from a page
// block that holds every feature of the catalogue.
class CatalogueInTheShop : public ::testing::Test
{
protected:
    static constexpr qint32 kPage = 1000;
    static constexpr qint32 kOffset = 2000;

    static void SetUpTestSuite()
    {
        ASSERT_STREQ(Generale::staticMetaObject.className(), "Generale");
        ASSERT_STREQ(Dizionario::staticMetaObject.className(), "Dizionario");
        ASSERT_STREQ(Catalogo::staticMetaObject.className(), "Catalogo");
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }
    static void TearDownTestSuite() { QLocale::setDefault(QLocale::c()); }

    void SetUp() override
    {
        DemoShopMaker::Make(DemoShopMaker::Installed(QCoreApplication::applicationDirPath()), Shop());
        // An installation of its own: the catalogue's code files and one
        // page template that holds the features between header and footer.
        const QString install = m_temp.FilePath(QStringLiteral("installazione/"));
        QDir().mkpath(install + QStringLiteral("template/blocchi"));
        const QDir blocks(Installation() + QStringLiteral("template/blocchi"));
        for (const QString& name : blocks.entryList(QDir::Files))
            QFile::copy(blocks.filePath(name), install + QStringLiteral("template/blocchi/") + name);
        m_temp.WriteFile(QStringLiteral("installazione/template/prova/funzionalita.asp"),
                         "<!--#include virtual=\"comune.inc\"-->\n"
                         "<%\nvar paginaCorrente = \"/funzionalita.asp\";\nvar titoloPagina = \"Funzionalità\";\n%>\n"
                         "<!--#include virtual=\"testa.inc\"-->\n"
                         "<div class=\"Pagina\">\n##CODICEFIGLIO##</div>\n"
                         "<!--#include virtual=\"piede.inc\"-->\n");
        m_install = install;
    }

    QString Shop() const { return m_temp.FilePath(QStringLiteral("negozio")); }

    // Each catalogue block under the page, as the insert-feature command
    // makes it: its row, its parameters, its own classes, and the classes
    // flagged "^" on the page, once each.
    void InsertEveryFeature(CDaoDatabase& db)
    {
        db.Execute(QStringLiteral("ATTACH DATABASE ? AS catalogo"), {Installation() + QStringLiteral("db/modellografico.mdb")});
        db.Execute(QStringLiteral("INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Nome, Descrizione, Ordine, Attivo, ASP, "
                                  "Include, TipoCodice, IDRiferimento, IDModello) VALUES (?, 1, 0, 'Prova', '', ?, 1, "
                                  "'\\prova\\funzionalita.asp', 0, 0, 0, 0)"),
                   {kPage, kPage});
        db.Execute(QStringLiteral("INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Nome, Descrizione, Ordine, Attivo, ASP, "
                                  "Include, TipoCodice, IDRiferimento, IDModello) SELECT ID+?, IDCategoria, ?, Nome, "
                                  "Descrizione, ID+?, 1, ASP, 0, CASE WHEN ID=101 THEN 7 ELSE 4 END, 0, ID "
                                  "FROM catalogo.CodiceASP"),
                   {kOffset, kPage, kOffset});
        db.Execute(QStringLiteral("INSERT INTO Parametri (ID, IDCodiceASP, Nome, Descrizione, Bookmark, Ordine, Tipo, Valore, "
                                  "Opzioni, IDModello) SELECT ID+?, IDCodiceASP+?, Nome, Descrizione, Bookmark, ID+?, Tipo, "
                                  "Valore, Opzioni, ID FROM catalogo.Parametri"),
                   {kOffset, kOffset, kOffset});
        db.Execute(QStringLiteral("INSERT INTO ClassiCSS (ID, IDCodiceASP, Descrizione, Nome, Ordine, NomeCSS, IDModello) "
                                  "SELECT ID+?, IDCodiceASP+?, Descrizione, Nome, ID+?, NomeCSS, ID FROM catalogo.ClassiCSS "
                                  "WHERE NomeCSS NOT LIKE '^%'"),
                   {kOffset, kOffset, kOffset});
        db.Execute(QStringLiteral("INSERT INTO ClassiCSS (ID, IDCodiceASP, Descrizione, Nome, Ordine, NomeCSS, IDModello) "
                                  "SELECT MIN(ID)+?, ?, Descrizione, Nome, MIN(ID)+?, SUBSTR(NomeCSS, 2), MIN(ID) "
                                  "FROM catalogo.ClassiCSS WHERE NomeCSS LIKE '^%' GROUP BY NomeCSS"),
                   {kOffset, kPage, kOffset});
        db.Execute(QStringLiteral("INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) SELECT a.ID+?, a.IDClasse+?, "
                                  "a.IDAttributo, a.Valore FROM catalogo.AttributiCSS a WHERE a.IDClasse+? IN "
                                  "(SELECT ID FROM ClassiCSS)"),
                   {kOffset, kOffset, kOffset});
        db.Execute(QStringLiteral("DETACH DATABASE catalogo"));
    }

    void Set(CDaoDatabase& db, qint32 feature, const char* bookmark, const QString& value)
    {
        db.Execute(QStringLiteral("UPDATE Parametri SET Valore=? WHERE IDCodiceASP=? AND Bookmark=?"),
                   {value, feature + kOffset, QString::fromLatin1(bookmark)});
    }

    QString Get(const QByteArray& target)
    {
        CVirtualFolders folders;
        folders.SetRootDir(Shop());
        CSession session;
        std::atomic<bool> globalAsaPending{true};
        CPageHost host(folders, session, globalAsaPending);
        const CHttpReply reply = host.Answer("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        EXPECT_EQ(reply.head.mid(9, 3), "200") << target.constData();
        return QString::fromUtf8(reply.body);
    }

    TempFolder m_temp;
    QString m_install;
};

TEST_F(CatalogueInTheShop, EveryFeatureRunsInAGeneratedPage)
{
    GraphicProject project;
    CDaoDatabase& db = project.Database();
    InsertEveryFeature(db);
    Set(db, 114, "SEZIONE", QStringLiteral("NOTIZIE"));
    Set(db, 119, "CONLINK", QStringLiteral("1"));
    Set(db, 119, "LINK", QStringLiteral("/azienda.asp"));
    Set(db, 118, "TITOLO", QStringLiteral("Spedizioni"));
    CPageGenerator(db, m_install, project.Folder()).RegeneratePageTree(kPage);
    CStyleSheetWriter(db, project.Folder()).WriteStyleSheets(kPage);
    ASSERT_TRUE(QFile::copy(project.Asp(QStringLiteral("funzionalita.asp")), Shop() + QStringLiteral("/funzionalita.asp")));

    const QString page = Get("/funzionalita.asp");
    EXPECT_TRUE(page.trimmed().startsWith(QStringLiteral("<!DOCTYPE html>"))) << page.left(400).toStdString();
    EXPECT_TRUE(page.trimmed().endsWith(QStringLiteral("</html>"))) << page.right(600).toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("Errore"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("%%")));
    EXPECT_FALSE(page.contains(QStringLiteral("##")));
    // The boxes' class belongs to the page, with the page's class ID; the
    // articles' box lists the section's articles.
    const qint32 box = project.Column(QStringLiteral("SELECT ID FROM ClassiCSS WHERE IDCodiceASP=1000 AND NomeCSS='.Riquadro'"))
                           .value(0);
    ASSERT_GT(box, 0);
    EXPECT_GE(page.count(QStringLiteral("class=\"Riquadro%1\"").arg(box)), 4);
    EXPECT_TRUE(page.contains(QStringLiteral("/articolo.asp?IDArticolo=")));
    EXPECT_TRUE(page.contains(QStringLiteral("<h2>Spedizioni</h2>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"/azienda.asp\"><img src=\"/images/immagine.svg\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("name=\"UserID\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("<div class=\"Condizionale%1\">").arg(project.Column(
        QStringLiteral("SELECT ID FROM ClassiCSS WHERE IDCodiceASP=%1").arg(101 + kOffset)).value(0))));
    const QByteArray sheet = ReadAll(project.Images(QStringLiteral("modello.css")));
    EXPECT_TRUE(sheet.contains(QStringLiteral(".Riquadro%1\r\n{\r\n").arg(box).toUtf8())) << sheet.constData();
    EXPECT_TRUE(sheet.contains(QStringLiteral(".Riquadro%1 h2\r\n").arg(box).toUtf8()));
}

} // namespace
