// The company page: each language's text saved under that language only
// and only when changed; the logo stored as a GIF of the configured width,
// replaced only by a picture that was chosen and written, and flagged for
// the next site update whenever it changes.

#include "desktop/content/CChiSiamoCore.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kItalian = QStringLiteral("Siamo un negozio di scarpe.");

class CompanyPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row(QStringLiteral("Configurazione"), {{"ID", 1}, {"DimLogo", 200}});
        shop.AddCompanyText(1, QStringLiteral("it"), kItalian);
    }

    int Flag(const QString& column, const QString& language)
    {
        return shop.Value(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ChiSiamo WHERE CodiceLingua=?"),
                          {language})
            .toInt();
    }
    int Version(const QString& language)
    {
        return shop.Value(QStringLiteral("SELECT VersioneRecord FROM ChiSiamo WHERE CodiceLingua=?"), {language})
            .toInt();
    }
    QString Picture(const QString& name, int width, int height, QRgb colour)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = shop.Temp().FilePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString LogoPath(const QString& language)
    {
        return shop.Folder() + QStringLiteral("website/images/") + language + QStringLiteral("/su_logo.gif");
    }
    QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ContentFixture shop;
};

// The language shown was switched from "it" to "en", which has no row: the
// editor starts empty, so the Italian text can never be left in it and
// saved as English.
TEST_F(CompanyPage, ALanguageWithoutARowShowsAnEmptyEditorAndGetsNoOtherLanguagesText)
{
    QString current = QStringLiteral("it");
    {
        CChiSiamoDlg page(shop.Db(), shop.Folder(), current);
        page.m_currentLanguage = [&current] { return current; };
        EXPECT_EQ(page.TextEdit()->toPlainText(), kItalian);
        current = QStringLiteral("en");
        page.RefreshLanguage();
        EXPECT_TRUE(page.TextEdit()->toPlainText().isEmpty());
        EXPECT_FALSE(page.IsRecordModified());
    }
    bool found = true;
    shop.CompanyText(QStringLiteral("en"), &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(shop.CompanyText(QStringLiteral("it")), kItalian);
    EXPECT_EQ(Flag(QStringLiteral("Modificato"), QStringLiteral("it")), 0);
}

struct LeaveCase
{
    const char* name;
    const char* language;
    const char* typed;
    bool written;
};

void PrintTo(const LeaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class LeavingThePage : public CompanyPage, public ::testing::WithParamInterface<LeaveCase>
{
};

// The page goes (tab left, view closed): a real change is saved for the
// language shown, with both flags; nothing else is written.
TEST_P(LeavingThePage, SavesOnlyARealChangeUnderItsOwnLanguage)
{
    const QString language = QString::fromUtf8(GetParam().language);
    const QString typed = QString::fromUtf8(GetParam().typed);
    const int version = Version(QStringLiteral("it"));
    {
        CChiSiamoDlg page(shop.Db(), shop.Folder(), language);
        page.TextEdit()->setPlainText(typed);
    }
    bool found = false;
    const QString stored = shop.CompanyText(language, &found);
    EXPECT_EQ(found, GetParam().written || language == QStringLiteral("it"));
    if (GetParam().written) {
        EXPECT_EQ(stored, typed);
        EXPECT_EQ(Flag(QStringLiteral("Modificato"), language), 1);
        EXPECT_EQ(Flag(QStringLiteral("ModificataFoto"), language), 1);
    }
    if (!GetParam().written || language != QStringLiteral("it")) {
        EXPECT_EQ(shop.CompanyText(QStringLiteral("it")), kItalian);
        EXPECT_EQ(Version(QStringLiteral("it")), version);
    }
    EXPECT_EQ(shop.Count(QStringLiteral("ChiSiamo")), GetParam().written && language != QStringLiteral("it") ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeavingThePage,
    ::testing::Values(LeaveCase{"Unchanged", "it", "Siamo un negozio di scarpe.", false},
                      LeaveCase{"OnlyTheCaseOfALetter", "it", "siamo un negozio di scarpe.", true},
                      LeaveCase{"TypedWithMarkup", "it", "<b>Dal 1950</b> & \"più\" d'ogni altro", true},
                      LeaveCase{"NoRowNothingTyped", "en", "", false},
                      LeaveCase{"NoRowTyped", "en", "We sell shoes.", true}),
    [](const ::testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

TEST_F(CompanyPage, ALogoIsStoredAsAGifOfTheConfiguredWidthAndFlagged)
{
    CChiSiamoCore core(shop.Db(), shop.Folder(), QStringLiteral("it"));
    QString error;
    // A picture of few colours keeps them exactly.
    ASSERT_TRUE(core.SetLogo(Picture(QStringLiteral("wide.png"), 400, 100, qRgb(200, 30, 30)), &error))
        << error.toStdString();
    QImageReader stored(LogoPath(QStringLiteral("it")));
    EXPECT_EQ(stored.format(), QByteArray("gif"));
    const QImage logo = stored.read();
    EXPECT_EQ(logo.size(), QSize(200, 50));
    EXPECT_EQ(QColor(logo.pixel(100, 25)), QColor(200, 30, 30));
    EXPECT_EQ(Flag(QStringLiteral("ModificataFoto"), QStringLiteral("it")), 1);
    EXPECT_EQ(Flag(QStringLiteral("Modificato"), QStringLiteral("it")), 1);
    EXPECT_EQ(shop.CompanyText(QStringLiteral("it")), kItalian);
}

// Cancel, or a file that is no picture: the old logo and the flags stay.
TEST_F(CompanyPage, OnlyAChosenAndWrittenPictureReplacesTheLogo)
{
    CMessageBoxScript boxes;
    CChiSiamoCore first(shop.Db(), shop.Folder(), QStringLiteral("it"));
    QString error;
    ASSERT_TRUE(first.SetLogo(Picture(QStringLiteral("old.png"), 100, 100, qRgb(0, 0, 255)), &error));
    const QByteArray old = Bytes(LogoPath(QStringLiteral("it")));
    shop.ClearModified(QStringLiteral("ChiSiamo"));
    shop.Db().Execute(QStringLiteral("UPDATE ChiSiamo SET ModificataFoto=0"));

    const QString notAPicture = shop.Temp().FilePath(QStringLiteral("note.jpg"));
    QFile note(notAPicture);
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("not a picture");
    note.close();
    CChiSiamoDlg page(shop.Db(), shop.Folder(), QStringLiteral("it"));
    for (const QString& chosen : {QString(), notAPicture}) {
        page.m_chooseFile = [chosen] { return chosen; };
        page.ChooseLogoButton()->click();
        EXPECT_EQ(Bytes(LogoPath(QStringLiteral("it"))), old);
        EXPECT_EQ(Flag(QStringLiteral("ModificataFoto"), QStringLiteral("it")), 0);
        EXPECT_EQ(Flag(QStringLiteral("Modificato"), QStringLiteral("it")), 0);
    }
    EXPECT_EQ(boxes.Shown().size(), 1);   // the unreadable file is said, the cancel is not
}

// The next upload must send the new logo even where no text was written
// yet: leaving the page makes the language's row, flagged.
TEST_F(CompanyPage, ALogoForALanguageWithoutARowIsFlaggedWhenThePageGoes)
{
    {
        CChiSiamoDlg page(shop.Db(), shop.Folder(), QStringLiteral("en"));
        page.m_chooseFile = [this] { return Picture(QStringLiteral("logo.png"), 300, 150, qRgb(10, 120, 10)); };
        page.ChooseLogoButton()->click();
        EXPECT_TRUE(QFile::exists(LogoPath(QStringLiteral("en"))));
        EXPECT_TRUE(page.IsRecordModified());
    }
    bool found = false;
    EXPECT_TRUE(shop.CompanyText(QStringLiteral("en"), &found).isEmpty());
    ASSERT_TRUE(found);
    EXPECT_EQ(Flag(QStringLiteral("ModificataFoto"), QStringLiteral("en")), 1);
    EXPECT_EQ(QImageReader(LogoPath(QStringLiteral("en"))).size(), QSize(200, 100));
}

} // namespace
