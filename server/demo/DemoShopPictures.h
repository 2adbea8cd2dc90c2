#pragma once

#include "server/demo/DemoShopData.h"

#include <QColor>
#include <QImage>
#include <QStringList>

// Draws the demo shop's pictures where the catalogue looks for them:
// products and their thumbnails, colours and their thumbnails, and the
// categories in each language's folder. Each picture is a simple still
// life of the product's shape in its colour, so the shop looks stocked.
class DemoShopPictures
{
public:
    DemoShopPictures(const QString& shopFolder, const DemoShopData& data, const QStringList& languages);

    // Throws DemoDataError when a picture cannot be written.
    void Write();

    // One picture of a shape ("tazza", "lampada", ...; anything else is a
    // ball) in a colour, size pixels square.
    static QImage Draw(const QString& shape, const QColor& colour, int size);

private:
    void WriteProduct(const DemoRecord& product);
    void WriteColour(const DemoRecord& colour);
    void WriteCategory(const DemoRecord& category);
    void Save(const QImage& image, const QString& relativePath) const;
    QColor Colour(const DemoRecord& record, const QString& name) const;

    QString m_shopFolder;
    const DemoShopData& m_data;
    QStringList m_languages;
};
