#include "desktop/catalogue/CProdottiViewCore.h"
#include "desktop/catalogue/CProdottoRighe.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/dao/CDaoException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Core = CProdottiViewCore;

const QString kIt = QStringLiteral("it");
const QString kEn = QStringLiteral("en");

// Italian (in the reference database) is the default language, English
// another. Categories 1 "Sedie"
// and 2 "Tavoli". Products P7 "Sedia" (price 10, in Sedie) and P8
// "Tavolo" (price 20), both with their Italian rows only.
class ProdottiCoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddLanguage(2, kEn);
        f.AddCategory(1, 0, 1);
        f.AddCategory(2, 0, 2);
        f.AddCategoryName(1, kIt, QStringLiteral("Sedie"));
        f.AddCategoryName(2, kIt, QStringLiteral("Tavoli"));
        f.AddProduct(7, QStringLiteral("P7"), 1);
        f.AddProduct(8, QStringLiteral("P8"), 2);
        f.AddProductLanguage(1, 7, kIt, 10, QStringLiteral("Sedia"));
        f.AddProductLanguage(2, 8, kIt, 20, QStringLiteral("Tavolo"));
        f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IVA=22"));
        f.Db().Execute(QStringLiteral("UPDATE ProdottiLingue SET DescrizioneBreve='x'"));
        f.AddLink(1, 1, 7);
        f.ClearModified();
    }

    std::unique_ptr<Core> Open(const QString& language = kIt, qint32 base = 0)
    {
        auto core = std::make_unique<Core>(f.Db(), f.Folder(), base);
        core->SetLanguages(language, kIt);
        core->Start();
        return core;
    }

    // A form the save accepts.
    static void Fill(ProdottoForm& form, const QString& code, const QString& name, double price)
    {
        form.codice = code;
        form.nome = name;
        form.descrizioneBreve = QStringLiteral("Breve di ") + name;
        form.iva = 22.0;
        form.prezzi[0] = price;
    }

    QVariant Scalar(const QString& sql, const QVariantList& params = {}) { return f.Scalar(sql, params); }
    int Count(const QString& sql, const QVariantList& params = {}) { return Scalar(sql, params).toInt(); }
    QString Picture(qint32 id, bool thumbnail = false) const
    {
        return f.Folder() + (thumbnail ? QStringLiteral("/website/images/prodotti/th/")
                                       : QStringLiteral("/website/images/prodotti/"))
               + QString::number(id) + QStringLiteral(".jpg");
    }
    QString SourceImage(int width, int height, QRgb colour = qRgb(200, 30, 30))
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = f.Folder() + QStringLiteral("/scelta.png");
        image.save(path, "PNG");
        return path;
    }

    CatalogueFixture f;
    CMessageBoxScript boxes;
};

TEST_F(ProdottiCoreTest, OpensOnTheFirstProductInItsLanguage)
{
    auto core = Open();
    EXPECT_EQ(core->RecordCount(), 2);
    EXPECT_EQ(core->CurrentID(), 7);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Sedia"));
    EXPECT_DOUBLE_EQ(core->Form().prezzi[0].toDouble(), 10.0);
    EXPECT_EQ(core->PositionText(), QStringLiteral("1 / 2"));
    EXPECT_EQ(core->Ticked(), QSet<qint32>{1});
    EXPECT_EQ(core->CustomCategoryFilter(), QStringLiteral("IDCategoria=0 OR IDCategoria=1"));
    EXPECT_FALSE(core->IsRecordModified());
    EXPECT_FALSE(core->IsCommandEnabled(ID_RECORD_PREV));
    EXPECT_TRUE(core->IsCommandEnabled(ID_RECORD_NEXT));
}

TEST_F(ProdottiCoreTest, InsertTakesTheReservedIdAndWritesProductLanguageAndWords)
{
    auto core = Open();
    core->OnCommand(ID_RECORD_INSERT);
    ASSERT_TRUE(core->IsInserting());
    const qint32 id = core->ReservedID();
    EXPECT_GT(id, 8);
    EXPECT_EQ(core->Form().attivo, ProdottoForm::Checked);
    core->ClickCategory(2);   // written at once, for the reserved ID
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=?"), {id}), 1);
    Fill(core->Form(), QStringLiteral("P9"), QStringLiteral("Poltrona"), 99.5);
    core->OnCommand(ID_RECORD_SAVE);

    EXPECT_FALSE(core->IsInserting());
    EXPECT_EQ(core->CurrentID(), id);
    EXPECT_EQ(core->RecordCount(), 3);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Ordine FROM Prodotti WHERE ID=?"), {id}).toInt(), id);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Modificato FROM Prodotti WHERE ID=?"), {id}).toInt(), 1);
    EXPECT_GT(Scalar(QStringLiteral("SELECT VersioneRecord FROM Prodotti WHERE ID=?"), {id}).toInt(), 0);
    EXPECT_DOUBLE_EQ(Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua='it'"),
                            {id}).toDouble(), 99.5);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Poltrona"));
    const QString words =
        Scalar(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE Tipo=1 AND IDRecord=? AND CodiceLingua='it'"), {id})
            .toString();
    EXPECT_TRUE(words.startsWith(QStringLiteral("P9/"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("poltrona"), Qt::CaseInsensitive)) << words.toStdString();
    EXPECT_EQ(core->Ticked(), QSet<qint32>{2});
}

TEST_F(ProdottiCoreTest, InsertStartsInTheDefaultLanguage)
{
    auto core = Open(kEn);
    bool selected = false;
    core->m_selectDefaultLanguage = [&] { selected = true; };
    core->OnCommand(ID_RECORD_INSERT);
    EXPECT_TRUE(selected);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."));
    Fill(core->Form(), QStringLiteral("P9"), QStringLiteral("Poltrona"), 5);
    ASSERT_TRUE(core->SaveNew());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua='it'"),
                    {core->CurrentID()}), 1);
}

// Another language chosen during an insertion is refused: the product is
// written in the default language, with its price check.
TEST_F(ProdottiCoreTest, AnInsertionRefusesAnotherLanguage)
{
    auto core = Open();
    core->OnCommand(ID_RECORD_INSERT);
    boxes.Clear();
    EXPECT_FALSE(core->LeaveLanguage());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."));
    core->RefreshLanguage(kEn, kIt);
    ASSERT_TRUE(core->IsInserting());

    Fill(core->Form(), QStringLiteral("P9"), QStringLiteral("Poltrona"), 5);
    core->Form().prezzi[0] = QVariant();
    EXPECT_FALSE(core->SaveNew()) << "the default language's price is required";
    core->Form().prezzi[0] = 5.0;
    ASSERT_TRUE(core->SaveNew());
    const qint32 id = core->CurrentID();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua='it'"), {id}), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua='en'"), {id}), 0);
}

TEST_F(ProdottiCoreTest, CancelledInsertDeletesTheCategoriesTickedMeanwhile)
{
    auto core = Open();
    core->OnCommand(ID_RECORD_INSERT);
    const qint32 id = core->ReservedID();
    core->ClickCategory(1);
    core->ClickCategory(2);
    boxes.Answer(QMessageBox::Yes);
    core->OnCommand(ID_RECORD_INSERT);
    EXPECT_FALSE(core->IsInserting());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=?"), {id}), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID=?"), {id}), 0);
    EXPECT_EQ(core->CurrentID(), 7);
}

// Saving in a language: its own row is edited; the default language's row
// shown as fallback is left alone and a row of the editing language is
// added with what was typed.
struct LanguageCase
{
    const char* name;
    const char* language;
    bool englishRowExists;
    int itRowsAfter;
    int enRowsAfter;
    double itPriceAfter;
};

class ProdottiSaveLanguage : public ProdottiCoreTest, public ::testing::WithParamInterface<LanguageCase>
{
};

TEST_P(ProdottiSaveLanguage, WritesTheRowOfTheEditingLanguage)
{
    const LanguageCase& c = GetParam();
    if (c.englishRowExists)
        f.AddProductLanguage(3, 7, kEn, 12, QStringLiteral("Chair"));
    auto core = Open(QString::fromLatin1(c.language));
    if (QString::fromLatin1(c.language) == kEn && !c.englishRowExists) {
        EXPECT_TRUE(core->IsFallbackRow());
        EXPECT_EQ(core->Form().nome, QStringLiteral("Sedia"));
        EXPECT_DOUBLE_EQ(core->Form().prezzi[0].toDouble(), 0.0) << "a fallback row shows no prices";
    }
    core->Form().nome = QStringLiteral("Nuovo nome");
    core->Form().descrizioneBreve = QStringLiteral("breve");
    core->Form().prezzi[0] = 15.0;
    ASSERT_TRUE(core->IsRecordModified());
    ASSERT_TRUE(core->SaveRecord());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=7 AND CodiceLingua='it'")),
              c.itRowsAfter);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=7 AND CodiceLingua='en'")),
              c.enRowsAfter);
    EXPECT_DOUBLE_EQ(
        Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=7 AND CodiceLingua='it'")).toDouble(),
        c.itPriceAfter);
    EXPECT_DOUBLE_EQ(Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=7 AND CodiceLingua=?"),
                            {QString::fromLatin1(c.language)}).toDouble(), 15.0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Modificato FROM Prodotti WHERE ID=7")).toInt(), 1);
    // A second save edits the row the first one made.
    core->Form().nome = QStringLiteral("Ancora");
    ASSERT_TRUE(core->SaveRecord());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=7")),
              c.itRowsAfter + c.enRowsAfter);
    EXPECT_FALSE(core->IsRecordModified());
}

INSTANTIATE_TEST_SUITE_P(Languages, ProdottiSaveLanguage,
                         ::testing::Values(LanguageCase{"DefaultLanguageRowEdited", "it", false, 1, 0, 15.0},
                                           LanguageCase{"FallbackAddsAnEnglishRow", "en", false, 1, 1, 10.0},
                                           LanguageCase{"OwnEnglishRowEdited", "en", true, 1, 1, 10.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The first missing field is reported and nothing is written.
struct MissingCase
{
    const char* name;
    const char* language;
    std::function<void(ProdottoForm&)> blank;
    int control;   // CProdottiViewCore::Control, 0 when the save goes through
    int page;
};

void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

class ProdottiValidation : public ProdottiCoreTest, public ::testing::WithParamInterface<MissingCase>
{
};

TEST_P(ProdottiValidation, ReportsTheFirstMissingField)
{
    const MissingCase& c = GetParam();
    auto core = Open(QString::fromLatin1(c.language));
    Core::Failure shown;
    core->m_showFailure = [&](const Core::Failure& failure) { shown = failure; };
    Fill(core->Form(), QStringLiteral("P7"), QStringLiteral("Sedia"), 10);
    core->Form().descrizioneBreve = QStringLiteral("cambiata");
    c.blank(core->Form());
    const bool saved = core->SaveRecord();
    EXPECT_EQ(saved, c.control == 0);
    EXPECT_EQ(shown.control, c.control);
    if (c.control != 0) {
        EXPECT_EQ(shown.page, c.page);
        EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
        EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Validazione campi"));
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE DescrizioneBreve='x'")), 2);
        EXPECT_EQ(Count(QStringLiteral("SELECT Modificato FROM Prodotti WHERE ID=7")), 0);
        if (c.page >= 0)
            EXPECT_EQ(core->CurrentTab(), c.page);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ProdottiValidation,
    ::testing::Values(
        MissingCase{"Codice", "it", [](ProdottoForm& f) { f.codice.clear(); }, Core::CtlCodice, -1},
        MissingCase{"Nome", "it", [](ProdottoForm& f) { f.nome = QStringLiteral(" "); }, Core::CtlNome, 0},
        MissingCase{"EveryDescription", "it", [](ProdottoForm& f) { f.descrizioneBreve.clear(); },
                    Core::CtlDescrizioneFattura, 0},
        MissingCase{"Iva", "it", [](ProdottoForm& f) { f.iva = QVariant(); }, Core::CtlIva, 1},
        MissingCase{"PriceInTheDefaultLanguage", "it", [](ProdottoForm& f) { f.prezzi[0] = QVariant(); },
                    Core::CtlPrezzo, 1},
        // Prices are asked only in the default language.
        MissingCase{"PriceInAnotherLanguageIsNotRequired", "en", [](ProdottoForm& f) { f.prezzi[0] = QVariant(); }, 0,
                    -1},
        MissingCase{"PromotionalPriceOfAnOffer", "it",
                    [](ProdottoForm& f) {
                        f.offerta = ProdottoForm::Checked;
                        Core::EnableOffer(f, true, ProdottoForm::PromotionalPrice);
                    },
                    Core::CtlPrezzoPromozione, 1},
        MissingCase{"PercentageOfAnOffer", "it",
                    [](ProdottoForm& f) {
                        f.offerta = ProdottoForm::Checked;
                        Core::EnableOffer(f, true, ProdottoForm::Percentage);
                    },
                    Core::CtlSconto, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProdottiCoreTest, LeavingAChangedProductSavesItOrStays)
{
    auto core = Open();
    core->Form().nome = QStringLiteral("Sedia rossa");
    core->OnCommand(ID_RECORD_NEXT);
    EXPECT_EQ(core->CurrentID(), 8);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID=7 AND Modificato=1")), 1);
    core->OnCommand(ID_RECORD_FIRST);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Sedia rossa"));

    core->Form().codice.clear();
    core->OnCommand(ID_RECORD_NEXT);
    EXPECT_EQ(core->CurrentID(), 7) << "a save that fails keeps the product";
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    core->OnCommand(ID_RECORD_UNDO);
    EXPECT_EQ(core->Form().codice, QStringLiteral("P7"));
    EXPECT_FALSE(core->IsRecordModified());
}

TEST_F(ProdottiCoreTest, AnotherLanguageShowsItsTextsAfterSavingWhatWasTyped)
{
    f.AddProductLanguage(3, 7, kEn, 12, QStringLiteral("Chair"));
    auto core = Open();
    core->Form().nome = QStringLiteral("Sedia rossa");
    core->RefreshLanguage(kEn, kIt);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Chair"));
    EXPECT_DOUBLE_EQ(core->Form().prezzi[0].toDouble(), 12.0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=7 AND CodiceLingua='it' "
                                    "AND Modificato=1")).toInt(), 1);
    core->RefreshLanguage(kIt, kIt);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Sedia rossa"));
}

// Mend: when what was typed could not be saved, the language changed anyway
// and the typed edits were replaced by the other language's texts.
TEST_F(ProdottiCoreTest, ALanguageChangeWhoseSaveFailsKeepsTheLanguageAndTheTyping)
{
    f.AddProductLanguage(3, 7, kEn, 12, QStringLiteral("Chair"));
    auto core = Open();
    core->Form().nome = QStringLiteral("Sedia rossa");
    core->Form().codice.clear();
    EXPECT_FALSE(core->LeaveLanguage());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    core->RefreshLanguage(kEn, kIt);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Sedia rossa"));
    EXPECT_TRUE(core->Form().codice.isEmpty());
    core->Form().codice = QStringLiteral("P7");
    EXPECT_TRUE(core->LeaveLanguage());
    core->RefreshLanguage(kEn, kIt);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Chair"));
}

// Mend: with the sizes page in front a save wrote the sizes only, and what
// the merchant had typed on the other pages was lost without a word.
TEST_F(ProdottiCoreTest, SaveWithTheSizesPageInFrontWritesEveryChangedField)
{
    auto core = Open();
    ASSERT_TRUE(core->SelectTab(Core::TabTaglie));
    core->Taglie() = TaglieProdotto{3, 2, 5};
    core->Form().nome = QStringLiteral("Sedia alta");
    core->Form().prezzi[0] = 11.0;
    ASSERT_TRUE(core->IsRecordModified());
    ASSERT_TRUE(core->SaveRecord());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IDTabellaTaglie || '/' || DATaglia || '/' || ATaglia FROM Prodotti WHERE ID=7"))
                  .toString(),
              QStringLiteral("3/2/5"));
    CProdottiViewCore reread(f.Db(), f.Folder());
    reread.SetLanguages(kIt, kIt);
    reread.Start();
    EXPECT_EQ(reread.Form().nome, QStringLiteral("Sedia alta"));
    EXPECT_DOUBLE_EQ(reread.Form().prezzi[0].toDouble(), 11.0);
}

TEST_F(ProdottiCoreTest, DeleteTakesTheRowsAndFilesOfTheProduct)
{
    const QString folder = f.Folder() + QStringLiteral("/website/images/prodotti/");
    for (const QString& name : {QStringLiteral("7.jpg"), QStringLiteral("th/7.jpg"), QStringLiteral("files/m7_manuale.pdf"),
                                QStringLiteral("8.jpg")}) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    f.Db().Execute(QStringLiteral("INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua, Keywords) VALUES "
                                  "(1, 1, 7, 'it', 'P7/sedia')"));
    auto core = Open();
    boxes.Answer(QMessageBox::No);
    core->OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID=7")), 1);
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Cancellazione prodotto"));

    boxes.Answer(QMessageBox::Yes);
    core->OnCommand(ID_RECORD_DELETE);
    for (const char* table : {"ProdottiLingue", "CategorieProdotti"})
        EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE IDProdotto=7").arg(QLatin1String(table))), 0)
            << table;
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ParoleChiave WHERE IDRecord=7")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND IDRecord=7")), 1);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("7.jpg")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("th/7.jpg")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("files/m7_manuale.pdf")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("8.jpg")));
    EXPECT_EQ(core->CurrentID(), 8);
    EXPECT_EQ(core->RecordCount(), 1);

    boxes.Answer(QMessageBox::Yes);
    core->OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8("L'archivio prodotti ora è vuoto."));
    EXPECT_FALSE(core->IsEditingEnabled());
    EXPECT_FALSE(core->SelectTab(Core::TabPrezzi));
}

TEST_F(ProdottiCoreTest, DeletingTheLastFilteredProductCancelsTheFilter)
{
    auto core = Open();
    core->OnCommand(ID_RECORD_FILTER);
    core->Form().codice = QStringLiteral("P8");
    core->OnCommand(ID_RECORD_FIRST);
    ASSERT_EQ(core->GetFilterMode(), Core::FilterActive);
    ASSERT_EQ(core->RecordCount(), 1);
    boxes.Answer(QMessageBox::Yes);
    core->OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(core->GetFilterMode(), Core::FilterNone);
    EXPECT_EQ(boxes.Shown().at(boxes.Shown().size() - 1).caption, QStringLiteral("Cancellazione prodotti"));
    EXPECT_EQ(core->RecordCount(), 1);
    EXPECT_EQ(core->CurrentID(), 7);
}

// Mend: the code typed into the filter is bound and its "_" and "%" are
// plain characters, not wildcards.
struct FilterCase
{
    const char* name;
    std::function<void(ProdottoForm&, Core&)> set;
    QList<qint32> shown;   // empty: the filter selects nothing and is cancelled
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

class ProdottiFilter : public ProdottiCoreTest, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(ProdottiFilter, SelectsWhatWasAskedFor)
{
    f.AddProduct(20, QStringLiteral("A_1"), 3);
    f.AddProduct(21, QStringLiteral("AB1"), 4);
    f.AddProduct(22, QStringLiteral("A%2"), 5);
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET Novita=1 WHERE ID IN (8, 21)"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET CodiceABarre='8001234' WHERE ID=22"));
    auto core = Open();
    core->OnCommand(ID_RECORD_FILTER);
    ASSERT_EQ(core->GetFilterMode(), Core::FilterEntering);
    EXPECT_EQ(core->Form().attivo, ProdottoForm::Indeterminate);
    GetParam().set(core->Form(), *core);
    core->OnCommand(ID_RECORD_FIRST);
    QList<qint32> shown;
    if (core->GetFilterMode() == Core::FilterActive) {
        for (int i = 0; i < core->RecordCount(); ++i) {
            shown << core->CurrentID();
            core->MoveNext();
        }
    } else {
        EXPECT_EQ(boxes.LastText(),
                  QStringLiteral("Il filtro impostato non seleziona alcun record e viene pertanto annullato."));
        EXPECT_EQ(core->RecordCount(), 5);
    }
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ProdottiFilter,
    ::testing::Values(
        FilterCase{"IndeterminateChecksAddNothing", [](ProdottoForm&, Core&) {}, {7, 8, 20, 21, 22}},
        FilterCase{"UnderscoreIsNoWildcard", [](ProdottoForm& f, Core&) { f.codice = QStringLiteral("A_"); }, {20}},
        FilterCase{"PercentIsNoWildcard", [](ProdottoForm& f, Core&) { f.codice = QStringLiteral("A%"); }, {22}},
        FilterCase{"CodeInAnyCase", [](ProdottoForm& f, Core&) { f.codice = QStringLiteral("ab"); }, {21}},
        FilterCase{"QuoteIsText", [](ProdottoForm& f, Core&) { f.codice = QStringLiteral("P' OR 1=1 --"); }, {}},
        FilterCase{"CodePrefix", [](ProdottoForm& f, Core&) { f.codice = QStringLiteral("A"); }, {20, 21, 22}},
        FilterCase{"BarCodePrefix", [](ProdottoForm& f, Core&) { f.codiceABarre = QStringLiteral("800"); }, {22}},
        FilterCase{"NovitaChecked", [](ProdottoForm& f, Core&) { f.novita = ProdottoForm::Checked; }, {8, 21}},
        FilterCase{"NovitaUncheckedAndCode",
                   [](ProdottoForm& f, Core&) {
                       f.novita = ProdottoForm::Unchecked;
                       f.codice = QStringLiteral("A");
                   },
                   {20, 22}},
        FilterCase{"Category", [](ProdottoForm&, Core& core) { core.ClickCategory(1); }, {7}},
        FilterCase{"CategoryWithoutProducts", [](ProdottoForm&, Core& core) { core.ClickCategory(2); }, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Variants carry their base product's categories, down every level.
TEST_F(ProdottiCoreTest, CategoriesGoIntoTheVariantsOnceEach)
{
    f.AddProduct(70, QStringLiteral("P7-R"));
    f.AddProduct(71, QStringLiteral("P7-R-XL"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IDProdottoBase=7 WHERE ID=70"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IDProdottoBase=70 WHERE ID=71"));
    f.AddLink(2, 2, 70);   // the first variant already has "Tavoli"
    auto core = Open();
    core->ClickCategory(2);
    // Mend: a variant that has the category gets no second link.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=2 AND IDProdotto=70")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=2 AND IDProdotto=71")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=2 AND IDProdotto=7")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=2 AND Modificato=1")), 2);
    EXPECT_TRUE(core->Ticked().contains(2));

    core->ClickCategory(2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDCategoria=2")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='CategorieProdotti'")), 3);
    EXPECT_FALSE(core->Ticked().contains(2));
}

TEST_F(ProdottiCoreTest, AVariantMadeInTheVariantsWindowTakesTheBaseCategories)
{
    auto core = Open(kIt, 7);
    EXPECT_EQ(core->RecordCount(), 0);
    EXPECT_FALSE(core->IsEditingEnabled());
    core->OnCommand(ID_RECORD_INSERT);
    const qint32 id = core->ReservedID();
    Fill(core->Form(), QStringLiteral("P7-B"), QStringLiteral("Sedia blu"), 12);
    ASSERT_TRUE(core->SaveNew());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IDProdottoBase FROM Prodotti WHERE ID=?"), {id}).toInt(), 7);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=? AND IDCategoria=1"), {id}),
              1);
    EXPECT_EQ(core->RecordCount(), 1);
    EXPECT_EQ(core->Form().nome, QStringLiteral("Sedia blu"));
}

TEST_F(ProdottiCoreTest, APictureIsSavedWithItsThumbnailAndFlagsTheRow)
{
    f.Db().Execute(QStringLiteral("UPDATE Configurazione SET DimFoto=40, DimThumbnail=10"));
    auto core = Open();
    QString error;
    ASSERT_TRUE(core->Foto().Load(SourceImage(80, 60), &error)) << error.toStdString();
    ASSERT_TRUE(core->IsRecordModified()) << "a new picture alone is a change";
    ASSERT_TRUE(core->SaveRecord());
    const QImage foto(Picture(7));
    const QImage thumbnail(Picture(7, true));
    EXPECT_EQ(foto.size(), QSize(40, 30));
    EXPECT_EQ(thumbnail.size(), QSize(10, 7));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ModificataFoto FROM Prodotti WHERE ID=7")).toInt(), 1);
    const int version = Scalar(QStringLiteral("SELECT VersioneFoto FROM Prodotti WHERE ID=7")).toInt();
    EXPECT_GT(version, 0);
    EXPECT_FALSE(core->Foto().IsChanged());
    EXPECT_FALSE(core->IsRecordModified());
    EXPECT_FALSE(core->Foto().Image().isNull()) << "the stored picture is shown";
}

TEST_F(ProdottiCoreTest, AnnullaModificheDropsANewPictureToo)
{
    auto core = Open();
    QString error;
    ASSERT_TRUE(core->Foto().Load(SourceImage(30, 30), &error));
    core->OnCommand(ID_RECORD_UNDO);
    EXPECT_FALSE(core->IsRecordModified());
    EXPECT_TRUE(core->Foto().Image().isNull());
    core->OnCommand(ID_RECORD_NEXT);
    EXPECT_FALSE(QFileInfo::exists(Picture(7)));
}

// Mend: a picture is replaced only once the new one is written; a choice
// that can't be read keeps the old one; a removal flags the row too.
TEST_F(ProdottiCoreTest, APictureIsReplacedOnlyOnceTheNewOneIsWritten)
{
    auto core = Open();
    QString error;
    ASSERT_TRUE(core->Foto().Load(SourceImage(50, 50, qRgb(0, 0, 255)), &error));
    ASSERT_TRUE(core->SaveRecord());
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET ModificataFoto=0"));
    const QByteArray before = [&] {
        QFile file(Picture(7));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();

    QFile broken(f.Folder() + QStringLiteral("/rotta.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    EXPECT_FALSE(core->Foto().Load(broken.fileName(), &error));
    EXPECT_FALSE(core->Foto().IsChanged());
    EXPECT_FALSE(core->Foto().Image().isNull());

    // The thumbnail can't be written: a folder stands in its place.
    ASSERT_TRUE(QFile::remove(Picture(7, true)));
    ASSERT_TRUE(QDir().mkpath(Picture(7, true)));
    ASSERT_TRUE(core->Foto().Load(SourceImage(50, 50, qRgb(0, 255, 0)), &error));
    EXPECT_FALSE(core->SaveRecord());
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Immagine prodotto"));
    QFile kept(Picture(7));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ModificataFoto FROM Prodotti WHERE ID=7")).toInt(), 0);
    EXPECT_TRUE(core->IsRecordModified()) << "the new picture is still to be saved";

    ASSERT_TRUE(QDir(Picture(7, true)).removeRecursively());
    core->Foto().Remove();
    ASSERT_TRUE(core->SaveRecord());
    EXPECT_FALSE(QFileInfo::exists(Picture(7)));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ModificataFoto FROM Prodotti WHERE ID=7")).toInt(), 1);
}

// The upload sends a product picture by its row's flag: the flag and the
// picture are committed together. A picture that cannot go in place fails
// the save with the flag unset; one whose flag cannot be written stays out.
TEST_F(ProdottiCoreTest, APictureGoesInPlaceWithItsFlagOrNotAtAll)
{
    auto core = Open();
    QString error;
    ASSERT_TRUE(core->Foto().Load(SourceImage(50, 50, qRgb(0, 0, 255)), &error));
    ASSERT_TRUE(core->SaveRecord());
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET ModificataFoto=0"));
    const auto bytes = [&](const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    const QByteArray before = bytes(Picture(7));

    // The flag cannot be written.
    f.Db().Execute(QStringLiteral("CREATE TRIGGER blocca BEFORE UPDATE ON Prodotti BEGIN SELECT RAISE(ABORT, 'bloccato'); END"));
    ASSERT_TRUE(core->Foto().Load(SourceImage(50, 50, qRgb(0, 255, 0)), &error));
    EXPECT_ANY_THROW(core->SaveRecord());
    EXPECT_EQ(bytes(Picture(7)), before);
    f.Db().Execute(QStringLiteral("DROP TRIGGER blocca"));

    // The picture's place is taken while the rows are written: whatever
    // the outcome, the flag says what the folder holds.
    core->m_customText = [&] {
        QFile::remove(Picture(7));
        QDir().mkpath(Picture(7));
        QFile inside(Picture(7) + QStringLiteral("/x"));
        inside.open(QIODevice::WriteOnly);
        return QString();
    };
    bool saved = false;
    try {
        saved = core->SaveRecord();
    } catch (const CDaoException&) {
    }
    const bool flagged = Scalar(QStringLiteral("SELECT ModificataFoto FROM Prodotti WHERE ID=7")).toInt() == 1;
    const bool placed = QFileInfo(Picture(7)).isFile() && bytes(Picture(7)) != before;
    EXPECT_EQ(flagged, placed);
    EXPECT_EQ(saved, placed);
}

struct TabCase
{
    const char* name;
    std::function<void(Core&)> state;
    int tab;
    const char* refusal;   // nullptr when the page opens
};

void PrintTo(const TabCase& c, std::ostream* os) { *os << c.name; }

class ProdottiTabs : public ProdottiCoreTest, public ::testing::WithParamInterface<TabCase>
{
};

TEST_P(ProdottiTabs, RefusesThePagesThatCannotOpenNow)
{
    auto core = Open();
    GetParam().state(*core);
    const bool opened = core->SelectTab(GetParam().tab);
    EXPECT_EQ(opened, GetParam().refusal == nullptr);
    if (GetParam().refusal)
        EXPECT_EQ(boxes.LastText(), QString::fromUtf8(GetParam().refusal));
    EXPECT_EQ(core->CurrentTab(), opened ? GetParam().tab : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, ProdottiTabs,
    ::testing::Values(
        TabCase{"BrowsingOpensColours", [](Core&) {}, Core::TabColori, nullptr},
        TabCase{"InsertingOpensPrices", [](Core& c) { c.ToggleInsert(); }, Core::TabPrezzi, nullptr},
        TabCase{"InsertingOpensTheImage", [](Core& c) { c.ToggleInsert(); }, Core::TabImmagine, nullptr},
        TabCase{"InsertingRefusesSizes", [](Core& c) { c.ToggleInsert(); }, Core::TabTaglie,
                "ATTENZIONE: durante l'inserimento non è possibile accedere\nai moduli taglie, colori, custom, files."},
        TabCase{"FilterOpensPrices", [](Core& c) { c.Filter(); }, Core::TabPrezzi, nullptr},
        TabCase{"FilterRefusesTheImage", [](Core& c) { c.Filter(); }, Core::TabImmagine,
                "ATTENZIONE: durante l'impostazione di un filtro non è possibile accedere\nai moduli immagine, taglie, "
                "colori, custom, files."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProdottiCoreTest, TheCustomTextAndTheSortKeyAreSavedWithTheRecord)
{
    f.Db().Execute(QStringLiteral("UPDATE Configurazione SET TipoOrdinamento=2"));
    auto core = Open();
    QString grid = QStringLiteral("Colore|rosso|Materiale|legno|");
    core->m_customText = [&] { return grid; };
    ASSERT_TRUE(core->IsRecordModified());
    ASSERT_TRUE(core->SaveRecord());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CampiCustom FROM ProdottiLingue WHERE ID=1")).toString(), grid);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Sort FROM ProdottiLingue WHERE ID=1")).toString(), QStringLiteral("Sedia"));
    const QString words = Scalar(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE IDRecord=7")).toString();
    EXPECT_TRUE(words.contains(QStringLiteral("rossolegno"))) << words.toStdString();
    EXPECT_EQ(CProdottoRighe::CustomWords(QStringLiteral("a|1|b|2")), QStringLiteral("1"));
}

} // namespace
