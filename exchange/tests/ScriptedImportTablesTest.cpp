// The scripted import's whole result, table by table: every row of every
// table of the project after an import, with each value's storage class,
// against what the import wrote when each QTR.ModificaRecord still went
// through a table class (data/*.expected). A faster write path must leave
// exactly these rows. To write the files again from a run known to be
// right: QTR_WRITE_EXPECTED=1.

#include "exchange/CScriptedImport.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TablesSnapshot.h"

#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ScriptCase
{
    const char* name;
    const char* script;   // empty: the sample import.js
    const char* data;
};

void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

// Criteria of each shape, names in another case, a column set twice, a
// value left empty (NULL where NULL is allowed), custom fields, and a row
// added with no criteria at all.
const char kShapes[] = R"(
function ApriSessioneImport() { return QTR.InizializzaFiles(); }
function ImportaRecord() {
    var riga = QTR.LeggiRecord();
    if (riga === "")
        return false;
    var c = riga.split(";");
    QTR.ApriTabella("prodotti");
    QTR.ImpostaCampo("codice", c[0]);
    QTR.ImpostaCampo("IVA", "10");
    QTR.ImpostaCampo("IVA", c[3]);
    QTR.ImpostaCampo("Attivo", c[4]);
    QTR.ImpostaCampo("ValiditaScontoDal", c[5]);
    var id = QTR.ModificaRecord("Codice=?", [c[0]]);
    QTR.ApriTabella("ProdottiLingue");
    QTR.ImpostaCampo("IDProdotto", String(id));
    QTR.ImpostaCampo("CodiceLingua", "it");
    QTR.ImpostaCampo("nome", c[1]);
    QTR.ImpostaCampo("DescrizioneBreve", c[1] + " <b>breve</b>");
    QTR.ImpostaCampo("Prezzo", c[2]);
    QTR.ImpostaCampoCustom("Colore", "rosso " + c[0]);
    QTR.ModificaRecord("IDProdotto=? AND CodiceLingua='it'", [id]);
    QTR.ApriTabella("Correlazioni");
    QTR.ImpostaCampo("id1", String(id));
    QTR.ImpostaCampo("Tipo1", "1");
    QTR.ModificaRecord("");
    return true;
}
)";

class ScriptedImportTablesTest : public ::testing::TestWithParam<ScriptCase>
{
protected:
    // A product, its row in Italian and its search words already there,
    // and a category the file names again.
    void SetUp() override
    {
        CDaoDatabase db;
        db.Open(project.Database());
        db.Execute("INSERT INTO Prodotti (ID, Codice, IVA, Attivo, Ordine) VALUES (5, 'SEDIA01', 4, 0, 5)");
        db.Execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo) VALUES (50, 5, 'it', 1)");
        db.Execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo) VALUES (51, 5, 'en', 2)");
        db.Execute("INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua, Keywords) VALUES (60, 1, 5, 'it', 'x')");
        db.Execute("INSERT INTO Categorie (ID, Codice) VALUES (7, 'sedie')");
        db.Close();
    }

    ExchangeProject project;
};

TEST_P(ScriptedImportTablesTest, TheImportLeavesTheSameRowsInEveryTable)
{
    const ScriptCase& c = GetParam();
    if (*c.script)
        project.WriteScript("import.js", c.script);
    else
        project.CopySample("import.js", project.Folder() + "/scripts/import.js");
    QFile data(project.Exchange() + "/gprodotti.txt");
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(c.data);
    data.close();

    CScriptedImport job;
    job.InitVarImport(nullptr, project.Folder());
    job.StartImport();
    ASSERT_EQ(job.LastResult(), CScriptedImport::Result::Done);

    CDaoDatabase db;
    db.Open(project.Database());
    ExpectSnapshot(TablesSnapshot(db.Connection()),
                   QStringLiteral(QTR_EXCHANGE_TEST_DATA "/%1.expected").arg(QLatin1String(c.name)));
    db.Close();
}

INSTANTIATE_TEST_SUITE_P(
    NewAndChangedRows, ScriptedImportTablesTest,
    testing::Values(ScriptCase{"sample", "",
                               "SEDIA01;Sedia in faggio;89,90;22;SEDIE;Sedie\n"
                               "sedia02;Sedia \"Lago\";119.5;22;SEDIE;Sedie\n"
                               "TAV01;Tavolo l'Ovale;1.250,00;22;TAVOLI;Tavoli\n"
                               "SEDIA02;Sedia seconda volta;120;10;TAVOLI;Tavoli tondi\n"},
                    ScriptCase{"shapes", kShapes,
                               "SEDIA01;Sedia;89,90;22;1;\n"
                               "NUOVO1;Nuovo & bello;5;4;0;01/02/2026\n"
                               "nuovo1;Nuovo di nuovo;6;22;1;\n"}),
    [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

} // namespace
