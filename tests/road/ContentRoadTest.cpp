// The road from the content editors to the shop: a section with its icon,
// an article in it with a link, a file and a form, a forum topic and a
// banner, made through the editors' rules, are sent by the site update to
// qtr50d and stand in the shop's database, with their files where the
// shop's content pages read them.

#include "desktop/content/CArticoliAllegatiCore.h"
#include "desktop/content/CArticoliViewCore.h"
#include "desktop/content/CBannerViewCore.h"
#include "desktop/content/CContentTreeCore.h"
#include "desktop/content/CModuliViewCore.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/utilities/QtrCipher.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

namespace {

class ContentRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
    }

    // A text column of the shop's database as the shop reads it.
    QString ShopText(const QString& sql, const QVariantList& params = {})
    {
        return Decrypt(shop.Value(sql, params).toString());
    }

    RoadShop shop;
    RoadProject project;
    CMessageBoxScript m_boxes;
};

TEST_F(ContentRoad, TheContentMadeInTindaReachesTheShop)
{
    const QString it = QStringLiteral("it");
    // A section with its icon.
    CContentTreeCore sections(project.Db(), CContentTreeCore::Sezioni, project.Folder());
    sections.SetLanguages(it, it);
    sections.Start();
    ASSERT_FALSE(sections.Insert({QStringLiteral("news"), QStringLiteral("Notizie"), QString()}).IsRefused());
    const qint32 section = sections.Nodes().at(1).nId;
    sections.Select(section);
    sections.Click(section);
    QString error;
    ASSERT_TRUE(sections.SetIcon(project.Picked("icona.jpg", {}, "JPG"), &error)) << error.toStdString();

    // A form with one field.
    CGridCore grid;
    CModuliViewCore forms(project.Db(), grid);
    forms.SetLanguages(it, it);
    forms.Start();
    forms.OnCommand(ID_RECORD_INSERT);
    forms.GetForm() = {QStringLiteral("contatti"), QStringLiteral("Contattaci"), QString(),
                       QStringLiteral("info@negozio.example"), QStringLiteral("Richiesta")};
    ASSERT_TRUE(forms.SaveNew()) << m_boxes.LastText().toStdString();
    const qint32 form = forms.CurrentID();
    ASSERT_TRUE(forms.Fields().AddRow());
    grid.SetCellText(1, 0, QStringLiteral("Telefono"));
    grid.SetCellText(1, 1, QStringLiteral("Alfanumerico"));
    grid.SetCellText(1, 2, QStringLiteral("20"));
    ASSERT_TRUE(forms.Fields().SaveNewRow()) << m_boxes.LastText().toStdString();

    // An article in the section, with the form, a link and a file.
    CArticoliViewCore articles(project.Db(), project.Folder());
    articles.SetLanguages(it, it);
    articles.Start();
    articles.OnCommand(ID_RECORD_INSERT);
    const qint32 article = articles.ReservedID();
    articles.ClickSection(section);
    articles.Form().codice = QStringLiteral("benvenuto");
    articles.Form().titolo = QStringLiteral("Benvenuti <nel> negozio");
    articles.Form().testo = QStringLiteral("Scarpe fatte a mano.");
    articles.Form().idModulo = form;
    articles.OnCommand(ID_RECORD_SAVE);
    ASSERT_FALSE(articles.IsInserting()) << m_boxes.LastText().toStdString();
    CArticoliAllegatiCore links(project.Db(), CArticoliAllegatiCore::Link, project.Folder());
    links.SetLanguages(it, it);
    links.SetArticle(article);
    ASSERT_TRUE(links.Add({QStringLiteral("Il laboratorio"), QString(), QStringLiteral("https://rossi.example/lab"),
                           true}));
    CArticoliAllegatiCore files(project.Db(), CArticoliAllegatiCore::File, project.Folder());
    files.SetLanguages(it, it);
    files.SetArticle(article);
    files.m_chooseFile = [&] { return project.Picked("Catalogo.PDF", "%PDF-1.4 catalogo"); };
    ASSERT_TRUE(files.Add({QStringLiteral("Catalogo"), QString(), QString(), false, QStringLiteral("cat")}));
    const qint32 file = files.Rows().at(0).nId;

    // A forum topic and a banner with its picture.
    CContentTreeCore topics(project.Db(), CContentTreeCore::ArgomentiForum, project.Folder());
    topics.SetLanguages(it, it);
    topics.Start();
    ASSERT_FALSE(topics.Insert({QString(), QStringLiteral("Assistenza"), QString()}).IsRefused());
    const qint32 topic = topics.Nodes().at(1).nId;
    CBannerViewCore banners(project.Db(), project.Folder());
    CBannerViewCore::Form banner;
    banner.strCodice = QStringLiteral("saldi");
    banner.nTipo = 0;
    banner.strLink = QStringLiteral("https://rossi.example/saldi");
    ASSERT_EQ(banners.Add(banner), CBannerViewCore::Accepted);
    const qint32 bannerId = banners.Banners().at(0).nId;
    banners.Select(bannerId);
    ASSERT_TRUE(banners.SetFile(project.Picked("saldi.jpg", {}, "JPG"), &error)) << error.toStdString();

    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();

    EXPECT_EQ(shop.Value("SELECT Codice FROM Sezioni WHERE ID=?", {section}).toString(), QStringLiteral("NEWS"));
    EXPECT_EQ(ShopText("SELECT Nome FROM SezioniLingue WHERE IDSezione=? AND CodiceLingua='it'", {section}),
              QStringLiteral("Notizie"));
    EXPECT_EQ(shop.Status(QStringLiteral("/images/sezioni/it/%1.jpg").arg(section)), 200);
    EXPECT_EQ(shop.Value("SELECT IDSezione FROM SezioniArticoli WHERE IDArticolo=?", {article}).toInt(), section);
    EXPECT_EQ(shop.Value("SELECT IDModulo FROM Articoli WHERE ID=?", {article}).toInt(), form);
    // The title as typed: the shop's pages escape it on output.
    EXPECT_EQ(ShopText("SELECT Titolo FROM ArticoliLingue WHERE IDArticolo=?", {article}),
              QStringLiteral("Benvenuti <nel> negozio"));
    EXPECT_EQ(ShopText("SELECT URL FROM ArticoliLink WHERE IDArticolo=?", {article}),
              QStringLiteral("https://rossi.example/lab"));
    EXPECT_EQ(shop.Value("SELECT Codice FROM ArticoliFiles WHERE ID=?", {file}).toString(), QStringLiteral("CAT"));
    const QString attachment = QStringLiteral("/images/articoli/files/%1.pdf").arg(file);
    EXPECT_EQ(shop.Status(attachment), 200);
    EXPECT_EQ(shop.Page(attachment), QStringLiteral("%PDF-1.4 catalogo"));
    EXPECT_EQ(ShopText("SELECT Nome FROM ModuliLingue WHERE IDModulo=?", {form}), QStringLiteral("Contattaci"));
    EXPECT_EQ(shop.Value("SELECT Lunghezza FROM ModuliCampi WHERE IDModulo=?", {form}).toInt(), 20);
    EXPECT_EQ(shop.Value("SELECT Tipo FROM Argomenti WHERE ID=?", {topic}).toInt(), 0);
    EXPECT_EQ(ShopText("SELECT Nome FROM ArgomentiLingue WHERE IDArgomento=?", {topic}), QStringLiteral("Assistenza"));
    EXPECT_EQ(shop.Value("SELECT Codice FROM Banner WHERE ID=?", {bannerId}).toString(), QStringLiteral("SALDI"));
    EXPECT_EQ(shop.Status(QStringLiteral("/images/banner/%1.jpg").arg(bannerId)), 200);
}

} // namespace
