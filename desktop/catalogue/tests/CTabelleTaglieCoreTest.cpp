// The size tables: the Valori format, tables and sizes edited and saved,
// and a deleted table let go by every product that used it.

#include "desktop/catalogue/CTabelleTaglieCore.h"
#include "desktop/catalogue/CTabelleTaglieDlg.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QListWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct ValoriCase
{
    const char* name;
    const char* valori;
    QStringList sizes;
};

void PrintTo(const ValoriCase& c, std::ostream* os)
{
    *os << c.name;
}

class ValoriFormat : public ::testing::TestWithParam<ValoriCase>
{
};

TEST_P(ValoriFormat, SplitsAtEachSeparatorAndDropsTheTail)
{
    EXPECT_EQ(CTabelleTaglieCore::SplitSizes(QString::fromUtf8(GetParam().valori)), GetParam().sizes);
}

INSTANTIATE_TEST_SUITE_P(Read, ValoriFormat,
                         ::testing::Values(ValoriCase{"EveryOneEnded", "S|M|L|", {"S", "M", "L"}},
                                           ValoriCase{"LastNotEnded", "S|M|L", {"S", "M"}},
                                           ValoriCase{"Empty", "", {}}, ValoriCase{"NoSeparator", "S", {}}),
                         [](const ::testing::TestParamInfo<ValoriCase>& info) { return std::string(info.param.name); });

TEST(CTabelleTaglieCoreTest, EverySizeIsFollowedByTheSeparator)
{
    EXPECT_EQ(CTabelleTaglieCore::JoinSizes({"S", "M", "L"}), QStringLiteral("S|M|L|"));
    EXPECT_EQ(CTabelleTaglieCore::JoinSizes({}), QString());
}

class SizeTables : public ::testing::Test
{
protected:
    QVariant Value(const QString& sql) { return f.Scalar(sql); }

    CatalogueFixture f;
};

TEST_F(SizeTables, AnInsertedTableGetsItsSizesWhenSaved)
{
    CTabelleTaglieCore core(f.Db());
    EXPECT_EQ(core.InsertTable(QStringLiteral("Camicie")), CTabelleTaglieCore::NoField);
    const qint32 id = core.SelectedTable();
    ASSERT_GT(id, 0);
    EXPECT_TRUE(core.GetControls().bSizeArea);
    EXPECT_FALSE(core.GetControls().bInsertTable);
    for (const char* size : {"S", "M", "L"})
        EXPECT_EQ(core.InsertSize(QString::fromUtf8(size)), CTabelleTaglieCore::NoField);
    // Size edits are not written by themselves.
    EXPECT_EQ(Value(QStringLiteral("SELECT Valori FROM ValoriTaglie")).toString(), QString());
    f.ClearModified();
    EXPECT_EQ(core.SaveTable(QStringLiteral("Camicie uomo")), CTabelleTaglieCore::NoField);
    EXPECT_EQ(Value(QStringLiteral("SELECT Valori FROM ValoriTaglie")).toString(), QStringLiteral("S|M|L|"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Descrizione FROM ValoriTaglie")).toString(), QStringLiteral("Camicie uomo"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Modificato FROM ValoriTaglie")).toInt(), 1);
    EXPECT_EQ(core.SelectedTable(), 0);
    EXPECT_TRUE(core.GetControls().bInsertTable);
}

TEST_F(SizeTables, SizesAreReplacedAndDeletedInPlace)
{
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES (4, 'T', 'S|M|L|')"));
    CTabelleTaglieCore core(f.Db());
    core.SelectTable(4);
    core.SelectSize(1);
    EXPECT_TRUE(core.GetControls().bSaveSize);
    EXPECT_EQ(core.SaveSize(QStringLiteral("XL")), CTabelleTaglieCore::NoField);
    core.SelectSize(0);
    core.DeleteSize();
    EXPECT_EQ(core.Sizes(), (QStringList{"XL", "L"}));
    EXPECT_TRUE(core.GetControls().bInsertSize);
    EXPECT_FALSE(core.GetControls().bDeleteSize);
}

struct EmptyFieldCase
{
    const char* name;
    CTabelleTaglieCore::Field (*step)(CTabelleTaglieCore&);
    CTabelleTaglieCore::Field expected;
};

void PrintTo(const EmptyFieldCase& c, std::ostream* os)
{
    *os << c.name;
}

class SizeTablesRefusal : public SizeTables, public ::testing::WithParamInterface<EmptyFieldCase>
{
};

TEST_P(SizeTablesRefusal, AnEmptyFieldIsRefusedAndNothingChanges)
{
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES (4, 'T', 'S|M|')"));
    CTabelleTaglieCore core(f.Db());
    core.SelectTable(4);
    core.SelectSize(0);
    EXPECT_EQ(GetParam().step(core), GetParam().expected);
    EXPECT_EQ(core.Sizes(), (QStringList{"S", "M"}));
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM ValoriTaglie")).toInt(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Descrizione FROM ValoriTaglie")).toString(), QStringLiteral("T"));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SizeTablesRefusal,
    ::testing::Values(
        EmptyFieldCase{"InsertTable", [](CTabelleTaglieCore& c) { return c.InsertTable(QStringLiteral(" ")); },
                       CTabelleTaglieCore::NameField},
        EmptyFieldCase{"SaveTable", [](CTabelleTaglieCore& c) { return c.SaveTable(QString()); },
                       CTabelleTaglieCore::NameField},
        EmptyFieldCase{"Close", [](CTabelleTaglieCore& c) { return c.Close(QString()); }, CTabelleTaglieCore::NameField},
        EmptyFieldCase{"InsertSize", [](CTabelleTaglieCore& c) { return c.InsertSize(QString()); },
                       CTabelleTaglieCore::SizeField},
        EmptyFieldCase{"SaveSize", [](CTabelleTaglieCore& c) { return c.SaveSize(QStringLiteral("  ")); },
                       CTabelleTaglieCore::SizeField},
        // "|" ends a size in Valori: a size of separators alone is no size.
        EmptyFieldCase{"SizeOfSeparators", [](CTabelleTaglieCore& c) { return c.InsertSize(QStringLiteral("||")); },
                       CTabelleTaglieCore::SizeField}),
    [](const ::testing::TestParamInfo<EmptyFieldCase>& info) { return std::string(info.param.name); });

TEST_F(SizeTables, ASeparatorInASizeNeverShiftsTheOthers)
{
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES (4, 'T', '')"));
    CTabelleTaglieCore core(f.Db());
    core.SelectTable(4);
    core.InsertSize(QStringLiteral("S|M"));
    core.InsertSize(QStringLiteral("XXXLARGE"));   // five characters at most
    ASSERT_EQ(core.SaveTable(QStringLiteral("T")), CTabelleTaglieCore::NoField);
    EXPECT_EQ(Value(QStringLiteral("SELECT Valori FROM ValoriTaglie")).toString(), QStringLiteral("SM|XXXLA|"));
}

TEST_F(SizeTables, ChoosingAnotherTableDropsSizesNotSaved)
{
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES "
                                  "(4, 'A', 'S|'), (5, 'B', '40|')"));
    CTabelleTaglieCore core(f.Db());
    core.SelectTable(4);
    core.InsertSize(QStringLiteral("M"));
    core.SelectTable(5);
    core.SelectTable(4);
    EXPECT_EQ(core.Sizes(), QStringList{"S"});
}

TEST_F(SizeTables, DeletingATableLetsGoOfItsProductsAndLogsIt)
{
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES "
                                  "(4, 'A', 'S|M|'), (5, 'B', '40|')"));
    f.AddProduct(1, QStringLiteral("P1"));
    f.AddProduct(2, QStringLiteral("P2"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IDTabellaTaglie=4, DATaglia=0, ATaglia=1 WHERE ID=1"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IDTabellaTaglie=5, DATaglia=0, ATaglia=0 WHERE ID=2"));
    f.ClearModified();
    CTabelleTaglieCore core(f.Db());
    core.SelectTable(4);
    core.DeleteTable();
    EXPECT_EQ(Value(QStringLiteral("SELECT IDTabellaTaglie || '/' || DATaglia || '/' || ATaglia || '/' || Modificato "
                                   "FROM Prodotti WHERE ID=1"))
                  .toString(),
              QStringLiteral("0/-1/-1/1"));
    EXPECT_EQ(Value(QStringLiteral("SELECT IDTabellaTaglie || '/' || Modificato FROM Prodotti WHERE ID=2")).toString(),
              QStringLiteral("5/0"));
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM ValoriTaglie WHERE ID=4")).toInt(), 0);
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='ValoriTaglie' "
                                   "AND IDRecord=4"))
                  .toInt(),
              1);
    ASSERT_EQ(core.Tables().size(), 1);
    EXPECT_EQ(core.SelectedTable(), 0);
}

TEST_F(SizeTables, TheDialogSavesTheSelectedTableWhenClosed)
{
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES "
                                  "(4, 'Zoccoli', '36|'), (5, 'Anelli', '10|')"));
    CMessageBoxScript boxes;
    CTabelleTaglieDlg dialog(f.Db());
    ASSERT_EQ(dialog.TablesList()->count(), 2);
    EXPECT_EQ(dialog.TablesList()->item(0)->text(), QStringLiteral("Anelli"));
    dialog.TablesList()->setCurrentRow(1);
    emit dialog.TablesList()->itemClicked(dialog.TablesList()->item(1));
    QString name;
    dialog.NomeTabella()->GetValue(name);
    EXPECT_EQ(name, QStringLiteral("Zoccoli"));
    dialog.Taglia()->SetValue(QStringLiteral("37"));
    dialog.GetButton(CTabelleTaglieDlg::InsertSize)->click();
    EXPECT_EQ(dialog.SizesList()->count(), 2);

    // An empty name is refused and keeps the dialog open with the sizes.
    dialog.NomeTabella()->SetValue(QString());
    dialog.reject();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Validazione campi"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Value(QStringLiteral("SELECT Valori FROM ValoriTaglie WHERE ID=4")).toString(), QStringLiteral("36|"));

    dialog.NomeTabella()->SetValue(QStringLiteral("Zoccoli"));
    dialog.reject();
    EXPECT_EQ(Value(QStringLiteral("SELECT Valori FROM ValoriTaglie WHERE ID=4")).toString(), QStringLiteral("36|37|"));
}

} // namespace
