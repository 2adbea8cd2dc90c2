// Shows each content editor on a sample project and saves a picture of it:
// content_screenshots <output folder>.

#include "desktop/content/CBannerView.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/CDizionarioView.h"
#include "desktop/content/CGifWriter.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CDizionarioLinSet.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPainter>

namespace {

void AddText(CDaoDatabase& db, qint32 id, qint32 entry, const QString& language, const QString& text)
{
    CDizionarioLinSet texts(&db);
    texts.m_bTracking = false;
    texts.Open();
    texts.AddNew();
    texts.m_ID = id;
    texts.m_IDCodice = entry;
    texts.m_CodiceLingua = language;
    texts.m_Testo = text;
    texts.Update();
    texts.Close();
}

void Fill(ShopTestDb& shop)
{
    const QStringList codes = {"SALUTO", "CARRELLO", "CHECKOUT", "SPEDIZIONE", "PRIVACY"};
    const QStringList texts = {"Benvenuto nel nostro negozio!", "Il tuo carrello", "Completa l'ordine",
                               "Spedizione gratuita sopra i 50 euro", "Informativa sulla privacy"};
    for (int i = 0; i < codes.size(); ++i) {
        shop.Row(QStringLiteral("Dizionario"), {{"ID", i + 1}, {"Codice", codes.at(i)}});
        AddText(shop.Db(), i + 1, i + 1, QStringLiteral("it"), texts.at(i));
    }
    shop.Row(QStringLiteral("Configurazione"), {{"ID", 1}, {"DimLogo", 200}});
    CChiSiamoSet company(&shop.Db());
    company.m_bTracking = false;
    company.Open();
    company.AddNew();
    company.m_ID = 1;
    company.m_CodiceLingua = QStringLiteral("it");
    company.m_Testo = QStringLiteral("Dal 1950 la Calzoleria Rossi produce scarpe a mano a Vigevano.\n"
                                     "Spediamo in tutta Europa in 48 ore.");
    company.Update();
    company.Close();

    QImage logo(400, 120, QImage::Format_RGB32);
    logo.fill(QColor(250, 245, 230));
    QPainter painter(&logo);
    painter.setPen(QColor(150, 30, 30));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Bold));
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("ROSSI"));
    painter.end();
    QString error;
    QDir().mkpath(shop.Folder() + QStringLiteral("website/images/it"));
    CGifWriter::Save(logo.scaled(200, 60), shop.Folder() + QStringLiteral("website/images/it/su_logo.gif"), &error);

    shop.Row(QStringLiteral("TipoBanner"), {{"ID", 1}, {"Codice", "TOP"}, {"Descrizione", "Testata"}});
    shop.Row(QStringLiteral("TipoBanner"), {{"ID", 2}, {"Codice", "LAT"}, {"Descrizione", "Laterale"}});
    const QStringList banners = {"SALDI", "NATALE", "SPEDIZIONE"};
    for (int i = 0; i < banners.size(); ++i)
        shop.Row(QStringLiteral("Banner"), {{"ID", i + 1}, {"Codice", banners.at(i)}, {"Tipo", 1 + i % 2},
                                           {"Link", "https://www.rossi.example/saldi"}, {"ComparsePreviste", 5000},
                                           {"ComparseEffettuate", 1234}});
    QImage banner(468, 60, QImage::Format_RGB32);
    banner.fill(QColor(200, 32, 32));
    painter.begin(&banner);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 24, QFont::Bold));
    painter.drawText(banner.rect(), Qt::AlignCenter, QStringLiteral("SALDI -30%"));
    painter.end();
    QDir().mkpath(shop.Folder() + QStringLiteral("website/images/banner"));
    CGifWriter::Save(banner, shop.Folder() + QStringLiteral("website/images/banner/1.gif"), &error);
}

void Shoot(QWidget& widget, const QString& file)
{
    widget.resize(820, 520);
    widget.show();
    QApplication::processEvents();
    widget.grab().save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ShopTestDb shop;
    Fill(shop);
    {
        CDizionarioView view(shop.Db(), QStringLiteral("it"), QStringLiteral("it"));
        view.List()->setCurrentRow(3);
        emit view.List()->itemClicked(view.List()->item(3));
        Shoot(view, out + QStringLiteral("/dizionario.png"));
    }
    {
        CChiSiamoDlg page(shop.Db(), shop.Folder(), QStringLiteral("it"));
        Shoot(page, out + QStringLiteral("/chisiamo.png"));
    }
    {
        CBannerView view(shop.Db(), shop.Folder());
        view.List()->setCurrentRow(0);
        emit view.List()->itemClicked(view.List()->item(0));
        Shoot(view, out + QStringLiteral("/banner.png"));
    }
    return 0;
}
