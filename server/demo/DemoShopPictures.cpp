#include "server/demo/DemoShopPictures.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace {

constexpr int kPhoto = 480;
constexpr int kThumbnail = 200;

using Shape = std::function<void(QPainter&, const QColor&)>;

// Every shape is drawn on a 100 x 100 canvas, standing on the line y = 82.
void Cup(QPainter& p, const QColor& c)
{
    p.drawRoundedRect(QRectF(24, 40, 40, 40), 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.darker(130), 6));
    p.drawArc(QRectF(56, 48, 22, 22), -90 * 16, 180 * 16);
}

void Plate(QPainter& p, const QColor& c)
{
    p.drawEllipse(QRectF(12, 56, 76, 24));
    p.setBrush(c.lighter(125));
    p.drawEllipse(QRectF(26, 60, 48, 14));
}

void Pot(QPainter& p, const QColor& c)
{
    p.drawRoundedRect(QRectF(22, 42, 56, 38), 4, 4);
    p.drawRect(QRectF(14, 44, 10, 6));
    p.drawRect(QRectF(76, 44, 10, 6));
    p.setBrush(c.darker(120));
    p.drawRoundedRect(QRectF(18, 36, 64, 8), 3, 3);
    p.drawEllipse(QRectF(45, 30, 10, 8));
}

void Lamp(QPainter& p, const QColor& c)
{
    QPainterPath shade;
    shade.moveTo(34, 24);
    shade.lineTo(66, 24);
    shade.lineTo(78, 50);
    shade.lineTo(22, 50);
    shade.closeSubpath();
    p.drawPath(shade);
    p.setBrush(c.darker(160));
    p.drawRect(QRectF(47, 50, 6, 26));
    p.drawEllipse(QRectF(32, 74, 36, 8));
}

void Plant(QPainter& p, const QColor& c)
{
    p.save();
    p.setBrush(QColor(70, 140, 80));
    for (int angle : {-50, -20, 10, 40}) {
        p.save();
        p.translate(50, 52);
        p.rotate(angle);
        p.drawEllipse(QRectF(-6, -34, 12, 34));
        p.restore();
    }
    p.restore();
    QPainterPath pot;
    pot.moveTo(32, 52);
    pot.lineTo(68, 52);
    pot.lineTo(62, 82);
    pot.lineTo(38, 82);
    pot.closeSubpath();
    p.setBrush(c);
    p.drawPath(pot);
}

void Textile(QPainter& p, const QColor& c)
{
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i % 2 ? c.lighter(130) : c);
        p.drawRoundedRect(QRectF(18 + i * 2, 66 - i * 12, 64, 14), 4, 4);
    }
}

void Bottle(QPainter& p, const QColor& c)
{
    QPainterPath bottle;
    bottle.moveTo(44, 18);
    bottle.lineTo(56, 18);
    bottle.lineTo(56, 36);
    bottle.cubicTo(70, 42, 68, 48, 68, 56);
    bottle.lineTo(68, 82);
    bottle.lineTo(32, 82);
    bottle.lineTo(32, 56);
    bottle.cubicTo(32, 48, 30, 42, 44, 36);
    bottle.closeSubpath();
    p.drawPath(bottle);
    p.setBrush(c.darker(150));
    p.drawRect(QRectF(44, 14, 12, 6));
}

void Candle(QPainter& p, const QColor& c)
{
    p.drawRoundedRect(QRectF(38, 38, 24, 44), 3, 3);
    p.setBrush(QColor(255, 190, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(45, 22, 10, 16));
    p.setPen(QPen(c.darker(170), 1.5));
    p.drawLine(QPointF(50, 38), QPointF(50, 34));
}

void Box(QPainter& p, const QColor& c)
{
    p.drawRect(QRectF(24, 48, 52, 34));
    p.setBrush(c.darker(115));
    p.drawRect(QRectF(20, 40, 60, 10));
    p.setBrush(c.lighter(150));
    p.drawRect(QRectF(46, 40, 8, 42));
}

void Ball(QPainter& p, const QColor&)
{
    p.drawEllipse(QRectF(26, 34, 48, 48));
}

Shape ShapeNamed(const QString& name)
{
    static const QHash<QString, Shape> shapes = {
        {QStringLiteral("tazza"), Cup},          {QStringLiteral("piatto"), Plate},
        {QStringLiteral("pentola"), Pot},        {QStringLiteral("lampada"), Lamp},
        {QStringLiteral("pianta"), Plant},       {QStringLiteral("tessuto"), Textile},
        {QStringLiteral("bottiglia"), Bottle},   {QStringLiteral("candela"), Candle},
        {QStringLiteral("scatola"), Box},
    };
    return shapes.value(name, Ball);
}

} // namespace

DemoShopPictures::DemoShopPictures(const QString& shopFolder, const DemoShopData& data, const QStringList& languages)
    : m_shopFolder(shopFolder), m_data(data), m_languages(languages)
{
}

QImage DemoShopPictures::Draw(const QString& shape, const QColor& colour, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, size);
    back.setColorAt(0, colour.lighter(185));
    back.setColorAt(1, colour.lighter(150));
    p.fillRect(image.rect(), back);
    p.scale(size / 100.0, size / 100.0);
    // A soft shadow under the object.
    QRadialGradient shadow(QPointF(50, 84), 34);
    shadow.setColorAt(0, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QRectF(14, 78, 72, 12));
    p.setPen(QPen(colour.darker(140), 1.2));
    QLinearGradient body(0, 20, 0, 84);
    body.setColorAt(0, colour.lighter(115));
    body.setColorAt(1, colour.darker(110));
    p.setBrush(body);
    ShapeNamed(shape)(p, colour);
    return image;
}

void DemoShopPictures::Write()
{
    for (const DemoRecord& product : m_data.Records(QStringLiteral("Prodotto")))
        WriteProduct(product);
    for (const DemoRecord& colour : m_data.Records(QStringLiteral("Colore")))
        WriteColour(colour);
    for (const DemoRecord& category : m_data.Records(QStringLiteral("Categoria")))
        WriteCategory(category);
}

QColor DemoShopPictures::Colour(const DemoRecord& record, const QString& name) const
{
    const QColor colour = QColor::fromString(record.Text(name));
    if (!colour.isValid())
        throw DemoDataError((record.where + QStringLiteral(": colore non valido \"") + record.Text(name) + QLatin1Char('"'))
                                .toStdString());
    return colour;
}

void DemoShopPictures::WriteProduct(const DemoRecord& product)
{
    const QImage photo = Draw(product.Text(QStringLiteral("Disegno")), Colour(product, QStringLiteral("Tinta")), kPhoto);
    const QString name = QString::number(product.Id()) + QStringLiteral(".jpg");
    Save(photo, QStringLiteral("images/prodotti/") + name);
    Save(photo.scaled(kThumbnail, kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation),
         QStringLiteral("images/prodotti/th/") + name);
}

void DemoShopPictures::WriteColour(const DemoRecord& colour)
{
    QString shape;
    for (const DemoRecord& product : m_data.Records(QStringLiteral("Prodotto"))) {
        if (product.Id() == colour.Integer(QStringLiteral("Prodotto")))
            shape = product.Text(QStringLiteral("Disegno"));
    }
    const QImage photo = Draw(shape, Colour(colour, QStringLiteral("Tinta")), kPhoto);
    const QString name = QString::number(colour.Id()) + QStringLiteral(".jpg");
    Save(photo, QStringLiteral("images/prodotti/colori/") + name);
    Save(photo.scaled(kThumbnail, kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation),
         QStringLiteral("images/prodotti/colori/th/") + name);
}

void DemoShopPictures::WriteCategory(const DemoRecord& category)
{
    const QImage picture = Draw(category.Text(QStringLiteral("Disegno")), Colour(category, QStringLiteral("Tinta")),
                                kThumbnail * 2);
    for (const QString& language : m_languages)
        Save(picture, QStringLiteral("images/categorie/%1/%2.jpg").arg(language).arg(category.Id()));
}

void DemoShopPictures::Save(const QImage& image, const QString& relativePath) const
{
    const QString path = QDir(m_shopFolder).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "JPG", 88))
        throw DemoDataError((QStringLiteral("impossibile scrivere ") + path).toStdString());
}
