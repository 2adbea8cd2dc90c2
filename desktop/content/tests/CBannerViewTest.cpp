// The banners editor and its "Tipo Banner" dialog: codes, types and dates as the shop reads them, one
// file per banner named by its ID, and deletions that take that banner's
// file only.

#include "desktop/content/CBannerView.h"
#include "desktop/content/CBannerViewCore.h"
#include "desktop/content/CTipoBannerCore.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class Banners : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row(QStringLiteral("TipoBanner"), {{"ID", 3}, {"Codice", "TOP"}, {"Descrizione", "In alto"}});
        for (const qint32 id : {1, 10, 12})
            shop.Row(QStringLiteral("Banner"),
                     {{"ID", id}, {"Codice", QStringLiteral("B%1").arg(id)}, {"Tipo", 3}, {"Modificato", 0},
                      {"ModificatoFile", 0}});
        QDir().mkpath(Folder());
        for (const char* name : {"1.gif", "10.gif", "12.swf", "11.jpg"})
            Touch(Folder() + QLatin1String(name));
    }

    QString Folder() { return shop.Folder() + QStringLiteral("website/images/banner/"); }
    void Touch(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("GIF89a");
    }
    QStringList Files() { return QDir(Folder()).entryList(QDir::Files, QDir::Name); }
    QVariant Column(const QString& column, qint32 id)
    {
        return shop.Value(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM Banner WHERE ID=?"), {id});
    }

    ContentFixture shop;
};

// Banner 1's files are 1.<ext>; 10.gif and 12.swf start with "1" but
// belong to banners 10 and 12.
TEST_F(Banners, DeletingABannerTakesOnlyItsOwnFile)
{
    CMessageBoxScript boxes;
    boxes.Answer(QMessageBox::Yes);
    CBannerViewCore core(shop.Db(), shop.Folder());
    core.Select(1);
    core.Delete();
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Cancellazione banner"));
    EXPECT_EQ(Files(), QStringList({"10.gif", "11.jpg", "12.swf"}));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Banner")).toInt(), 2);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Banner' "
                                        "AND IDRecord=1")).toInt(), 1);
    EXPECT_EQ(core.Banners().size(), 2);
}

TEST_F(Banners, ADeletionNotConfirmedKeepsBannerAndFile)
{
    CMessageBoxScript boxes;
    boxes.Answer(QMessageBox::No);
    CBannerViewCore core(shop.Db(), shop.Folder());
    core.Select(1);
    core.Delete();
    EXPECT_EQ(Files().size(), 4);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Banner")).toInt(), 3);
    EXPECT_EQ(core.Selected(), 0);
}

struct TypeCase
{
    const char* name;
    qint32 chosen;
    qint32 stored;
};

void PrintTo(const TypeCase& c, std::ostream* os)
{
    *os << c.name;
}

class BannerTypes : public Banners, public ::testing::WithParamInterface<TypeCase>
{
};

TEST_P(BannerTypes, AreStoredAsTheShopRotatesThem)
{
    CBannerViewCore core(shop.Db(), shop.Folder());
    CBannerViewCore::Form form;
    form.strCodice = QStringLiteral("nuovo");
    form.nTipo = GetParam().chosen;
    ASSERT_EQ(core.Add(form), CBannerViewCore::Accepted);
    const qint32 id = shop.Value(QStringLiteral("SELECT ID FROM Banner WHERE Codice='NUOVO'")).toInt();
    EXPECT_EQ(Column(QStringLiteral("Tipo"), id).toInt(), GetParam().stored);

    core.Select(10);
    form.strCodice = QStringLiteral("B10");
    ASSERT_EQ(core.Save(form), CBannerViewCore::Accepted);
    EXPECT_EQ(Column(QStringLiteral("Tipo"), 10).toInt(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Chosen, BannerTypes,
    ::testing::Values(TypeCase{"NothingChosenIsNoType", -1, 0}, TypeCase{"NessunTipo", 0, 0},
                      TypeCase{"AType", 3, 3}),
    [](const ::testing::TestParamInfo<TypeCase>& info) { return std::string(info.param.name); });

struct CodeCase
{
    const char* name;
    const char* code;
    CBannerViewCore::Refusal added;
    CBannerViewCore::Refusal savedOverBanner10;
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class BannerCodes : public Banners, public ::testing::WithParamInterface<CodeCase>
{
};

TEST_P(BannerCodes, AreUpperCasedAndUnique)
{
    CBannerViewCore core(shop.Db(), shop.Folder());
    CBannerViewCore::Form form;
    form.strCodice = QString::fromUtf8(GetParam().code);
    EXPECT_EQ(core.Add(form), GetParam().added);
    core.Select(10);
    EXPECT_EQ(core.Save(form), GetParam().savedOverBanner10);
    const QString upper = QString::fromUtf8(GetParam().code).trimmed().toUpper();
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Banner")).toInt(),
              GetParam().added == CBannerViewCore::Accepted ? 4 : 3);
    EXPECT_EQ(Column(QStringLiteral("Codice"), 10).toString(),
              GetParam().savedOverBanner10 == CBannerViewCore::Accepted ? upper : QStringLiteral("B10"));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BannerCodes,
    ::testing::Values(CodeCase{"Empty", "  ", CBannerViewCore::CodeMissing, CBannerViewCore::CodeMissing},
                      CodeCase{"AnothersCodeInLowerCase", "b1", CBannerViewCore::CodeTaken,
                               CBannerViewCore::CodeTaken},
                      // Banner 10 keeps its own code; a new banner may not take it.
                      CodeCase{"OwnCode", "b10", CBannerViewCore::CodeTaken, CBannerViewCore::Accepted},
                      CodeCase{"WithQuote", "o'neil", CBannerViewCore::Accepted, CBannerViewCore::CodeTaken}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

TEST_F(Banners, EmptyDatesAreStoredAsNullAndFilledOnesReadBack)
{
    CBannerViewCore core(shop.Db(), shop.Folder());
    core.Select(12);
    CBannerViewCore::Form form = core.GetForm();
    form.dallaData = QDate(2026, 12, 1);
    form.nComparsePreviste = 5000;
    form.bEsterno = true;
    ASSERT_EQ(core.Save(form), CBannerViewCore::Accepted);
    EXPECT_TRUE(Column(QStringLiteral("AllaData"), 12).isNull());
    EXPECT_EQ(Column(QStringLiteral("Modificato"), 12).toInt(), 1);
    EXPECT_EQ(Column(QStringLiteral("ModificatoFile"), 12).toInt(), 0);
    core.Select(12);
    EXPECT_EQ(core.GetForm().dallaData, QDate(2026, 12, 1));
    EXPECT_FALSE(core.GetForm().allaData.isValid());
    EXPECT_EQ(core.GetForm().nComparsePreviste, 5000);
    EXPECT_TRUE(core.GetForm().bEsterno);
}

TEST_F(Banners, AChosenFileIsTheBannersOnlyFileAndFlagsIt)
{
    const QString flash = shop.Temp().FilePath(QStringLiteral("Promo.SWF"));
    Touch(flash);
    CBannerViewCore core(shop.Db(), shop.Folder());
    core.Select(1);
    QString error;
    ASSERT_TRUE(core.SetFile(flash, &error)) << error.toStdString();
    EXPECT_EQ(Files(), QStringList({"1.swf", "10.gif", "11.jpg", "12.swf"}));
    EXPECT_EQ(core.FilePath(), Folder() + QStringLiteral("1.swf"));
    EXPECT_EQ(Column(QStringLiteral("ModificatoFile"), 1).toInt(), 1);

    const QString text = shop.Temp().FilePath(QStringLiteral("note.txt"));
    Touch(text);
    EXPECT_FALSE(core.SetFile(text, &error));
    EXPECT_EQ(Files(), QStringList({"1.swf", "10.gif", "11.jpg", "12.swf"}));
}

// The program's project folder may come without its closing "/"; the
// banner still lands inside the project, where the site update reads it.
TEST_F(Banners, AFolderGivenWithoutItsSlashKeepsTheFileInTheProject)
{
    const QString picture = shop.Temp().FilePath(QStringLiteral("saldi.gif"));
    Touch(picture);
    QString folder = shop.Folder();
    folder.chop(1);
    CBannerViewCore core(shop.Db(), folder);
    core.Select(12);
    QString error;
    ASSERT_TRUE(core.SetFile(picture, &error)) << error.toStdString();
    EXPECT_EQ(Files(), QStringList({"1.gif", "10.gif", "11.jpg", "12.gif"}));
}

TEST_F(Banners, TheViewSavesWithNoTypeChosenAsNoType)
{
    CMessageBoxScript boxes;
    CBannerView view(shop.Db(), shop.Folder());
    ASSERT_EQ(view.List()->count(), 3);
    EXPECT_FALSE(view.GetButton(CBannerView::SaveButton)->isEnabled());
    EXPECT_EQ(view.Tipo()->currentIndex(), -1);
    view.Edit(CBannerView::Codice)->SetValue(QStringLiteral("estate"));
    view.GetButton(CBannerView::AddButton)->click();
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Tipo FROM Banner WHERE Codice='ESTATE'")).toInt(), 0);
    ASSERT_EQ(view.List()->count(), 4);

    view.List()->setCurrentRow(0);
    emit view.List()->itemClicked(view.List()->item(0));
    EXPECT_EQ(view.Tipo()->currentText(), QStringLiteral("In alto"));
    EXPECT_TRUE(view.GetButton(CBannerView::FileButton)->isEnabled());
}

struct TypeRefusal
{
    const char* name;
    const char* code;
    const char* description;
    CTipoBannerCore::Refusal refusal;
};

void PrintTo(const TypeRefusal& c, std::ostream* os)
{
    *os << c.name;
}

class BannerTypeFields : public Banners, public ::testing::WithParamInterface<TypeRefusal>
{
};

TEST_P(BannerTypeFields, AreCheckedBeforeAnythingIsWritten)
{
    CTipoBannerCore core(shop.Db());
    EXPECT_EQ(core.Add(QString::fromUtf8(GetParam().code), QString::fromUtf8(GetParam().description)),
              GetParam().refusal);
    const int expected = GetParam().refusal == CTipoBannerCore::Accepted ? 2 : 1;
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM TipoBanner")).toInt(), expected);
    if (GetParam().refusal == CTipoBannerCore::Accepted)
        EXPECT_EQ(core.Types().last().strCodice, QString::fromUtf8(GetParam().code).toUpper());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BannerTypeFields,
    ::testing::Values(TypeRefusal{"NoDescription", "LAT", " ", CTipoBannerCore::DescriptionMissing},
                      TypeRefusal{"CodeBeginsWithADigit", "1LAT", "Laterale", CTipoBannerCore::CodeStartsBadly},
                      TypeRefusal{"CodeBeginsWithASign", "_LAT", "Laterale", CTipoBannerCore::CodeStartsBadly},
                      TypeRefusal{"AnothersCodeInLowerCase", "top", "Laterale", CTipoBannerCore::CodeTaken},
                      TypeRefusal{"LowerCaseCodeStoredUpper", "lat", "Laterale", CTipoBannerCore::Accepted},
                      TypeRefusal{"NoCode", "", "Laterale", CTipoBannerCore::Accepted}),
    [](const ::testing::TestParamInfo<TypeRefusal>& info) { return std::string(info.param.name); });

TEST_F(Banners, ADeletedTypeLeavesItsBannersWithNoType)
{
    CMessageBoxScript boxes;
    boxes.Answer(QMessageBox::Yes);
    CTipoBannerCore types(shop.Db());
    types.Select(3);
    types.Delete();
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Cancellazione tipo banner"));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM TipoBanner")).toInt(), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Banner WHERE Tipo=0")).toInt(), 3);

    CBannerViewCore core(shop.Db(), shop.Folder());
    core.Select(1);
    EXPECT_EQ(core.GetForm().nTipo, 0);
    ASSERT_EQ(core.Types().size(), 1);
    EXPECT_EQ(core.Types().first().strText, QStringLiteral("Nessun tipo"));
}

TEST_F(Banners, TheViewWritesTheDatesAsTypedAndAnEmptyOneAsNull)
{
    CBannerView view(shop.Db(), shop.Folder());
    view.List()->setCurrentRow(2);
    emit view.List()->itemClicked(view.List()->item(2));
    ASSERT_EQ(view.Core().Selected(), 12);
    view.Edit(CBannerView::DallaData)->SetValue(QDateTime(QDate(2026, 12, 1), QTime(0, 0)));
    view.Edit(CBannerView::AllaData)->SetValue(QString());
    view.Edit(CBannerView::ComparsePreviste)->SetValue(300);
    view.GetButton(CBannerView::SaveButton)->click();
    EXPECT_EQ(Column(QStringLiteral("DallaData"), 12).toDateTime().date(), QDate(2026, 12, 1));
    EXPECT_TRUE(Column(QStringLiteral("AllaData"), 12).isNull());
    EXPECT_EQ(Column(QStringLiteral("ComparsePreviste"), 12).toInt(), 300);
    EXPECT_FALSE(view.GetButton(CBannerView::SaveButton)->isEnabled());   // back to the start state
}

TEST_F(Banners, CorrelationsOpenForTheSelectedBannerOnly)
{
    CMessageBoxScript boxes;
    CBannerView view(shop.Db(), shop.Folder());
    QList<std::pair<qint32, QString>> opened;
    view.m_openCorrelations = [&opened](qint32 id, const QString& code) { opened.append({id, code}); };
    EXPECT_TRUE(view.IsViewCommandEnabled(ID_CORRELAZIONI_BANNER));
    view.OnViewCommand(ID_CORRELAZIONI_BANNER);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Nessun banner selezionato!"));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Correlazioni banner"));
    EXPECT_TRUE(opened.isEmpty());

    view.List()->setCurrentRow(1);
    emit view.List()->itemClicked(view.List()->item(1));
    view.OnViewCommand(ID_CORRELAZIONI_BANNER);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), std::make_pair(qint32(10), QStringLiteral("B10")));
    EXPECT_EQ(boxes.Shown().size(), 1);
}

TEST_F(Banners, TheTypesEditedFromTheViewAreOfferedAtOnce)
{
    CBannerView view(shop.Db(), shop.Folder());
    view.m_editTypes = [](CDaoDatabase& db) {
        CTipoBannerCore types(db);
        ASSERT_EQ(types.Add(QStringLiteral("LAT"), QStringLiteral("Laterale")), CTipoBannerCore::Accepted);
    };
    QToolButton* more = nullptr;
    for (QToolButton* button : view.findChildren<QToolButton*>())
        if (button->text() == QStringLiteral("..."))
            more = button;
    ASSERT_TRUE(more);
    more->click();
    ASSERT_EQ(view.Tipo()->count(), 3);
    EXPECT_EQ(view.Tipo()->itemText(2), QStringLiteral("Laterale"));
}

} // namespace
