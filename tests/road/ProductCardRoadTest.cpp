// The road from the product card to the shop: a product made through the
// card's rules (price, picture, category) in a project on disk is what the
// shop's Catalogo reads from that project's database and pictures.

#include "desktop/catalogue/CProdottiViewCore.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/asp/testing/CAspTestHost.h"
#include "platform/asp/testing/CAspTestPage.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"
#include "server/core/catalogo/Catalogo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

class ProductCardRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        for (const char* dir : {"db", "website/images/prodotti/th"})
            QDir().mkpath(m_folder + QLatin1Char('/') + QLatin1String(dir));
        const QString path = m_folder + QStringLiteral("/db/database.mdb");
        ASSERT_TRUE(QFile::copy(QStringLiteral(QTR_REFDB_DIR) + QStringLiteral("/database.mdb"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        m_db.Open(path);
        m_db.Execute(QStringLiteral("INSERT INTO Categorie (ID, IDCategoriaPadre, Ordine) VALUES (4, 0, 1)"));
    }

    void TearDown() override { m_db.Close(); }

    // A visitor's Session as the shop's set-up leaves it, on the project.
    void Visitor(CAspTestHost& host)
    {
        host.SetRootFolder(m_folder + QStringLiteral("/website"));
        host.AddVirtualFolder(QStringLiteral("/db"), m_folder + QStringLiteral("/db"));
        auto& s = host.Session();
        s.SetValue("DbPath", m_folder + QStringLiteral("/db"));
        s.SetValue("ShareConn", false);
        s.SetValue("CodiceLingua", "it");
        s.SetValue("CodiceLinguaPredefinita", "it");
        s.SetValue("IDListino", 0);
        s.SetValue("PageSize", 12);
        s.SetValue("TipoOrdinamento", 0);
        s.SetValue("FCListino2Euro", 1.0);
        s.SetValue("FCEuro2Web", 1.0);
        s.SetValue("Arrotondamento", 0.01);
        s.SetValue("ArrotondamentoListino", 0.01);
        s.SetValue("SimboloValuta", "€");
        s.SetValue("URLPaginaCategorie", "categorie.asp");
        s.SetValue("URLPaginaProdotti", "prodotti.asp");
        s.SetValue("FlagCalNumProCat", 0);
    }

    TempFolder m_temp;
    QString m_folder = m_temp.Path() + QStringLiteral("/negozio");
    CDaoDatabase m_db;
    CMessageBoxScript m_boxes;
};

TEST_F(ProductCardRoad, AProductMadeOnTheCardIsWhatTheShopShows)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(qRgb(120, 60, 20));
    const QString chosen = m_temp.Path() + QStringLiteral("/sedia.bmp");
    ASSERT_TRUE(picture.save(chosen, "BMP"));

    CProdottiViewCore card(m_db, m_folder);
    card.SetLanguages(QStringLiteral("it"), QStringLiteral("it"));
    card.Start();
    card.OnCommand(ID_RECORD_INSERT);
    const qint32 id = card.ReservedID();
    ProdottoForm& form = card.Form();
    form.codice = QStringLiteral("SD001");
    form.nome = QStringLiteral("Sedia Vienna");
    form.descrizioneBreve = QStringLiteral("Faggio curvato");
    form.iva = 22.0;
    form.prezzi[0] = 89.9;
    card.ClickCategory(4);
    QString error;
    ASSERT_TRUE(card.Foto().Load(chosen, &error)) << error.toStdString();
    card.OnCommand(ID_RECORD_SAVE);
    ASSERT_FALSE(card.IsInserting()) << m_boxes.LastText().toStdString();

    CAspTestHost host;
    Visitor(host);
    auto page = host.NewPage();
    Catalogo* shop = page->Create<Catalogo>(QStringLiteral("QTR50.Catalogo"));
    ASSERT_NE(shop, nullptr);
    ASSERT_TRUE(shop->LeggiProdotto(id));
    EXPECT_EQ(shop->IDProdotto, id);
    EXPECT_EQ(shop->NomeProdotto, QStringLiteral("Sedia Vienna"));
    EXPECT_DOUBLE_EQ(shop->PrezzoProdotto, 89.9);
    ASSERT_TRUE(shop->ControlloFotoProdotti());
    EXPECT_EQ(shop->PercorsoFotoProdotto, QStringLiteral("/images/prodotti/%1.jpg").arg(id));
    EXPECT_EQ(shop->PercorsoThumbnailProdotto, QStringLiteral("/images/prodotti/th/%1.jpg").arg(id));
    EXPECT_TRUE(shop->ApriPaginaProdotti(1, 4)) << "listed in the category ticked on the card";
    EXPECT_EQ(shop->NomeProdotto, QStringLiteral("Sedia Vienna"));
    shop->Free();
}

} // namespace
