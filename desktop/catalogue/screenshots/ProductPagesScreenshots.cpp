#include "desktop/catalogue/screenshots/ProductPagesScreenshots.h"
#include "desktop/catalogue/screenshots/ShotHelpers.h"

#include "desktop/catalogue/CProdottiColoriDlg.h"
#include "desktop/catalogue/CProdottiImmagineDlg.h"
#include "desktop/catalogue/CProdottiTaglieDlg.h"
#include "desktop/catalogue/CTabelleTaglieDlg.h"
#include "desktop/shell/controls/CCellMatrix.h"
#include "desktop/shell/controls/CClickListCtrl.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoDatabase.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QSlider>
#include <QTabWidget>
#include <QTextStream>
#include <QThread>

namespace {

// A product photo: a gradient with a shape, so flips and tones show.
QImage Photo(QColor from, QColor to)
{
    QImage image(320, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 320, 240);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(Qt::white);
    painter.drawEllipse(40, 60, 110, 110);
    return image;
}

// The card's image frame and page area, as the product editor hosts them.
class Harness : public QWidget
{
public:
    explicit Harness(QWidget* page, const QString& caption)
    {
        m_pFrame = new QLabel(this);
        m_pFrame->setFixedSize(260, 220);
        m_pFrame->setAlignment(Qt::AlignCenter);
        m_pFrame->setFrameShape(QFrame::StyledPanel);
        auto* tabs = new QTabWidget(this);
        for (const char* name : {"Generale", "Prezzi", "Immagine", "Colori", "Taglie", "Custom", "Files"}) {
            QWidget* tab = QString::fromUtf8(name) == caption ? page : new QWidget;
            tabs->addTab(tab, QString::fromUtf8(name));
        }
        tabs->setCurrentWidget(page);
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(m_pFrame, 0, Qt::AlignTop);
        layout->addWidget(tabs, 1);
        resize(900, 420);
    }
    void ShowImage(const QImage& image)
    {
        m_pFrame->setPixmap(QPixmap::fromImage(image.scaled(248, 208, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }

private:
    QLabel* m_pFrame = nullptr;
};

} // namespace

void SaveProductPages(CDaoDatabase& db, const QString& project, const QString& scratch, const QString& out)
{
    {
        QImage shown = Photo(QColor(200, 120, 40), QColor(60, 40, 120));
        QImage reference;
        bool changed = false;
        auto* page = new CProdottiImmagineDlg(shown, reference, changed);
        Harness harness(page, QStringLiteral("Immagine"));
        page->SetRedraw([&] { harness.ShowImage(shown); });
        page->EnterPage();
        page->Core().FlipOrizzontale();
        page->Core().Applica();
        page->Luminosita()->setValue(130);
        page->Contrasto()->setValue(80);
        page->Core().Anteprima(130, 80);
        Save(harness, out + "/catalogue-prodotto-immagine.png");
    }
    {
        const CProdottiColoriCore::Widths widths{400, 100, 200};
        const QList<std::pair<QString, QColor>> colours = {
            {"ROSSO", QColor(190, 30, 40)}, {"BLU", QColor(30, 60, 170)}, {"VERDE", QColor(40, 140, 60)}};
        {
            CProdottiColoriCore rules(db, project, widths);
            rules.LoadColours(1);
            int n = 0;
            for (const auto& [code, colour] : colours) {
                const QString file = scratch + "/" + code + ".bmp";
                Photo(colour, colour.darker(200)).save(file, "BMP");
                rules.SetPicture(n == 1 ? CProdottiColoriCore::Dettaglio : CProdottiColoriCore::Foto, file);
                if (n == 2)
                    rules.SetPicture(CProdottiColoriCore::Dettaglio, file);
                rules.Add({code, "Finitura " + code.toLower(), n != 1});
                ++n;
            }
        }
        auto* page = new CProdottiColoriDlg(db, project, widths);
        Harness harness(page, QStringLiteral("Colori"));
        harness.ShowImage(Photo(QColor(200, 120, 40), QColor(60, 40, 120)));
        page->LoadColours(1);
        harness.show();
        Settle();
        page->List()->setCurrentRow(1);
        emit page->List()->UM_LIST_CLICK(1);
        Save(harness, out + "/catalogue-prodotto-colori.png");
    }
    {
        db.Execute("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES "
                   "(1, 'Camicie', 'XS|S|M|L|XL|XXL|'), (2, 'Scarpe', '36|37|38|39|40|41|42|43|44|45|'), "
                   "(3, 'Anelli', '10|12|14|16|')");
        TaglieProdotto sizes{2, 2, 6};
        auto* page = new CProdottiTaglieDlg(db, sizes);
        Harness harness(page, QStringLiteral("Taglie"));
        harness.ShowImage(Photo(QColor(200, 120, 40), QColor(60, 40, 120)));
        page->LoadSizes();
        Save(harness, out + "/catalogue-prodotto-taglie.png");
    }
    {
        CTabelleTaglieDlg dialog(db);
        dialog.TablesList()->setCurrentRow(1);
        emit dialog.TablesList()->itemClicked(dialog.TablesList()->item(1));
        dialog.SizesList()->setCurrentRow(2);
        emit dialog.SizesList()->itemClicked(dialog.SizesList()->item(2));
        Save(dialog, out + "/catalogue-tabelle-taglie.png");
        dialog.TablesList()->setCurrentRow(-1);
        // Closing would save the table shown: leave it as it was.
        dialog.Core().SelectTable(0);
        dialog.hide();
    }
}
