// Pictures of "Modifica colori" in its two modes on a sample project:
// design_colour_shots <output folder>, run by scripts/screenshot-colours.sh
// under a virtual X server.

#include "desktop/design/CModificaColoriDlg.h"
#include "desktop/design/tests/ColourFixture.h"
#include "desktop/shell/controls/CGifWriter.h"

#include <QApplication>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>

#include <cstdio>

namespace {

void Shoot(QWidget& dialog, const QString& path)
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    dialog.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

// A small header picture of flat colours on a transparent ground.
void WriteHeader(const QString& path)
{
    QImage image(96, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(4, 4, 88, 32, QColor(0x33, 0x66, 0x99));
    painter.fillRect(10, 10, 30, 20, QColor(0xFF, 0xCC, 0x00));
    painter.fillRect(48, 10, 38, 20, QColor(0xCC, 0x00, 0x33));
    painter.end();
    QString error;
    CGifWriter::Save(image, path, &error);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ColourFixture fixture;
    const char* values[] = {"#336699", "#336699", "#336699", "#FFFFFF", "#FFFFFF", "#ffcc00",
                            "#CC0033", "#CC0033", "#000000", "#EEEEEE", "#999999", "12"};
    qint32 classId = 1;
    for (const char* value : values)
        fixture.Value(classId++ % 5 + 1, QString::fromLatin1(value));
    WriteHeader(fixture.ImagePath(QStringLiteral("testata.gif")));
    WriteHeader(fixture.ImagePath(QStringLiteral("pulsante.gif")));

    CModificaColoriDlg dialog(fixture.shop.Db(), fixture.shop.Folder());
    dialog.show();
    Shoot(dialog, out + QStringLiteral("/modifica-colori-stili.png"));

    dialog.findChild<QRadioButton*>(QStringLiteral("immagini"))->click();
    dialog.findChild<QSlider*>(QStringLiteral("zoom"))->setValue(300);
    Shoot(dialog, out + QStringLiteral("/modifica-colori-immagini.png"));
    return 0;
}
