#include "desktop/design/tests/GraphicProjectFixture.h"

#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

void Insert(CDaoDatabase& db, const QString& table, const GraphicProjectFixture::Values& values)
{
    QStringList names;
    QStringList marks;
    QVariantList params;
    for (const auto& [name, value] : values) {
        names << name;
        marks << QStringLiteral("?");
        params << value;
    }
    db.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(','), marks.join(',')),
               params);
}

void MakeDatabase(CDaoDatabase& db, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    db.Open(path, true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Graphic);
}

} // namespace

GraphicProjectFixture::GraphicProjectFixture()
{
    MakeCatalogue();
    MakeProject();
}

GraphicProjectFixture::~GraphicProjectFixture()
{
    m_project.Close();
}

void GraphicProjectFixture::MakeCatalogue()
{
    CDaoDatabase catalogue;
    MakeDatabase(catalogue, InstallFolder() + QStringLiteral("db/modellografico.mdb"));
    Insert(catalogue, "CodiceASP",
           {{"ID", 5}, {"IDCategoria", 2}, {"IDPadre", 0}, {"Nome", "Carrello"}, {"Descrizione", "Il carrello"},
            {"Ordine", 5}, {"Attivo", 1}, {"ASP", "<div class=\"Carrello\">##TITOLO##</div>"}, {"Include", 0},
            {"TipoCodice", 4}, {"IDRiferimento", 0}, {"IDModello", 0}});
    Insert(catalogue, "CodiceASP",
           {{"ID", 6}, {"IDCategoria", 2}, {"IDPadre", 5}, {"Nome", "Riga del carrello"}, {"Ordine", 6},
            {"Attivo", 1}, {"ASP", "<p></p>"}, {"TipoCodice", 1}});
    Insert(catalogue, "CodiceASP",
           {{"ID", 101}, {"IDCategoria", 1}, {"IDPadre", 0}, {"Nome", "Blocco condizionato"}, {"Ordine", 101},
            {"Attivo", 1}, {"ASP", "<% if (true) { %>##CODICEFIGLIO##<% } %>"}, {"TipoCodice", 7}});
    Insert(catalogue, "ClassiCSS",
           {{"ID", 7}, {"IDCodiceASP", 5}, {"Nome", "Carrello"}, {"Ordine", 1}, {"NomeCSS", ".Carrello"},
            {"IDModello", 0}});
    Insert(catalogue, "ClassiCSS",
           {{"ID", 8}, {"IDCodiceASP", 5}, {"Nome", "Contenitore"}, {"Ordine", 2}, {"NomeCSS", "^.Contenitore"},
            {"IDModello", 77}});
    Insert(catalogue, "AttributiCSS", {{"ID", 9}, {"IDClasse", 7}, {"IDAttributo", 26},
                                       {"Valore", "url(/images/carrello.gif)"}});
    Insert(catalogue, "AttributiCSS", {{"ID", 10}, {"IDClasse", 8}, {"IDAttributo", 5}, {"Valore", "#00FF00"}});
    Insert(catalogue, "Parametri", {{"ID", 11}, {"IDCodiceASP", 5}, {"Nome", "Icona"}, {"Bookmark", "ICONA"},
                                    {"Ordine", 1}, {"Tipo", 2}, {"Valore", "/images/icona.gif"}});
    Insert(catalogue, "Parametri", {{"ID", 12}, {"IDCodiceASP", 5}, {"Nome", "Titolo"}, {"Bookmark", "TITOLO"},
                                    {"Ordine", 2}, {"Tipo", 1}, {"Valore", "Carrello"}});
    catalogue.Close();
    m_temp.WriteFile("install/template/images/carrello.gif", "GIF89a-carrello");
    m_temp.WriteFile("install/template/images/icona.gif", "GIF89a-icona");
}

void GraphicProjectFixture::MakeProject()
{
    MakeDatabase(m_project, ProjectFolder() + QStringLiteral("db/progettografico.mdb"));
    Block(1, 0, "Pagina", 0);
    Block(2, 0, "Vuota", 0);
    Block(10, 1, "Testata", 1);
    Block(11, 10, "Logo", 4, 0, 2);
    Block(12, 10, "Interno", 1);
    Block(20, 1, "Griglia", 2);
    Block(21, 20, "Sinistra", 3);
    Block(22, 21, "Menu", 1);
    Block(23, 20, "Destra", 3);
    Block(24, 22, "Sottomenu", 1);
    Block(30, 1, "Se", 7);
    Block(40, 30, "Rif. Menu", 5, 22, 0);
    Block(50, 1, "Fisso", 6);
    m_project.Execute("UPDATE CodiceASP SET Include=1 WHERE ID=22");
    Row("ClassiCSS", {{"ID", 1}, {"IDCodiceASP", 1}, {"Nome", "Pagina"}, {"Ordine", 1}, {"NomeCSS", "body"}});
    Row("ClassiCSS", {{"ID", 2}, {"IDCodiceASP", 10}, {"Nome", "Testata"}, {"Ordine", 2}, {"NomeCSS", ".Testata"}});
    Row("ClassiCSS", {{"ID", 3}, {"IDCodiceASP", 22}, {"Nome", "Menu"}, {"Ordine", 3}, {"NomeCSS", ".Menu"},
                      {"IDModello", 44}});
    Row("AttributiCSS", {{"ID", 1}, {"IDClasse", 2}, {"IDAttributo", 5}, {"Valore", "#FF0000"}});
    Row("AttributiCSS", {{"ID", 2}, {"IDClasse", 2}, {"IDAttributo", 0}, {"Valore", "100"}});
    Row("Parametri", {{"ID", 1}, {"IDCodiceASP", 1}, {"Nome", "Titolo"}, {"Bookmark", "TITOLO"}, {"Ordine", 1},
                      {"Tipo", 1}, {"Valore", "Negozio"}});
    Row("Parametri", {{"ID", 2}, {"IDCodiceASP", 11}, {"Nome", "Logo"}, {"Bookmark", "LOGO"}, {"Ordine", 2},
                      {"Tipo", 2}, {"Valore", "/images/logo.gif"}});
}

void GraphicProjectFixture::Block(qint32 id, qint32 parent, const QString& name, int kind, qint32 reference,
                                  qint32 category)
{
    const QString code = kind == 5 ? QStringLiteral("<!-- #include virtual=\"/include%1.asp\"-->").arg(reference)
                                   : QStringLiteral("<div>##CODICEFIGLIO##</div>");
    Row("CodiceASP", {{"ID", id}, {"IDCategoria", category}, {"IDPadre", parent}, {"Nome", name},
                      {"Descrizione", ""}, {"Ordine", id}, {"Attivo", 1}, {"ASP", code}, {"Include", 0},
                      {"TipoCodice", kind}, {"IDRiferimento", reference}, {"IDModello", 0}});
}

void GraphicProjectFixture::Row(const QString& table, const Values& values)
{
    Insert(m_project, table, values);
}

QVariant GraphicProjectFixture::Value(const QString& sql, const QVariantList& params)
{
    const QVariantList column = Column(sql, params);
    return column.isEmpty() ? QVariant() : column.first();
}

QVariantList GraphicProjectFixture::Column(const QString& sql, const QVariantList& params)
{
    CDaoSqlSession session(m_project);
    QSqlQuery query = session.Exec(sql, params);
    QVariantList values;
    while (query.next())
        values << query.value(0);
    return values;
}

QString GraphicProjectFixture::Dump()
{
    QString dump;
    CDaoSqlSession session(m_project);
    for (const char* table : {"CodiceASP", "ClassiCSS", "AttributiCSS", "Parametri"}) {
        QSqlQuery query = session.Exec(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table));
        while (query.next()) {
            QStringList cells;
            for (int i = 0; i < query.record().count(); ++i)
                cells << query.value(i).toString();
            dump += QString::fromLatin1(table) + QLatin1Char(':') + cells.join('|') + QLatin1Char('\n');
        }
    }
    return dump;
}
