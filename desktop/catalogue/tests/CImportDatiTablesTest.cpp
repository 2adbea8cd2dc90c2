// The text import's whole result, table by table: every row of every table
// of the project after an import, with each value's storage class, against
// what the import wrote when each row still went through its table class
// one save at a time (data/tables/*.expected). A faster write path must
// leave exactly these rows: IDs, version stamps, marks, enciphered texts,
// search words, what it left unset. To write the files again from a run
// that is known to be right: QTR_WRITE_EXPECTED=1.

#include "desktop/catalogue/CImportDati.h"
#include "desktop/catalogue/CImportDatiParser.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "platform/testing/TablesSnapshot.h"
#include "platform/utilities/QtrUtilities.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct TablesCase
{
    const char* name;
    const char* file;
    bool allFields;
    CImportDati::Obsolete obsolete;
};

void PrintTo(const TablesCase& c, std::ostream* os) { *os << c.name; }

class ImportDatiTablesTest : public ::testing::TestWithParam<TablesCase>
{
protected:
    // A catalogue with a product of each kind the import meets: one with
    // rows in two languages and two links, one with no row in the
    // imported language, one the file does not list, one changed and not
    // yet uploaded, and search words already written for one of them.
    void SetUp() override
    {
        f.AddCategory(3);
        f.AddCategory(4);
        f.AddProduct(7, QStringLiteral("U001"), 40);
        f.Db().Execute(QStringLiteral("UPDATE Prodotti SET CodiceABarre='999', Peso=3, Novita=1, Attivo=0 WHERE ID=7"));
        f.AddProductLanguage(70, 7, QStringLiteral("it"), 9.5, QStringLiteral("Vecchio"));
        f.AddProductLanguage(71, 7, QStringLiteral("en"), 11.0, QStringLiteral("Old"));
        f.AddLink(700, 4, 7);
        f.AddLink(701, 3, 7);
        f.Db().Execute(QStringLiteral("INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua, Keywords, Attivo) "
                                      "VALUES (900, 1, 7, 'it', 'U001/vecchio', 0)"));
        f.AddProduct(8, QStringLiteral("U002"), 41);
        f.AddProductLanguage(80, 8, QStringLiteral("en"), 12.0, QStringLiteral("Two"));
        f.AddProduct(9, QStringLiteral("OLD9"), 42);
        f.AddProduct(10, QStringLiteral("CHG10"), 43, true);
        f.ClearModified();
        f.Db().Execute(QStringLiteral("UPDATE Prodotti SET Modificato=1 WHERE ID=10"));
    }

    CatalogueFixture f;
    FakeImportUi ui;
    RecordingProgress progress;
};

TEST_P(ImportDatiTablesTest, TheImportLeavesTheSameRowsInEveryTable)
{
    const TablesCase& c = GetParam();
    CImportDati::Settings settings;
    settings.strFile = CatalogueFixture::DataFile(QStringLiteral("tables/%1").arg(QLatin1String(c.file)));
    settings.strLanguageCode = QStringLiteral("it");
    settings.columns = c.allFields ? CImportDatiParser::AllFields() : CImportDatiParser::DefaultFields();
    settings.obsolete = c.obsolete;
    CImportDati job(f.Db(), f.Folder(), settings, ui);
    ASSERT_EQ(job.Run(progress), CCatalogueJob::Done) << job.Error().toStdString();
    EXPECT_TRUE(IsAlertUpd(f.Folder() + QLatin1Char('/')));

    ExpectSnapshot(TablesSnapshot(f.Db().Connection()),
                   CatalogueFixture::DataFile(QStringLiteral("tables/%1.expected").arg(QLatin1String(c.name))));
}

INSTANTIATE_TEST_SUITE_P(
    NewAndChangedProducts, ImportDatiTablesTest,
    testing::Values(TablesCase{"every-field-keep", "every-field.txt", true, CImportDati::Obsolete::Keep},
                    TablesCase{"default-fields-deactivate", "default-fields.txt", false, CImportDati::Obsolete::Deactivate},
                    TablesCase{"default-fields-delete", "default-fields.txt", false, CImportDati::Obsolete::Delete}),
    [](const testing::TestParamInfo<TablesCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

} // namespace
