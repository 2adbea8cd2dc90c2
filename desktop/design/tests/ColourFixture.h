#pragma once

#include "desktop/shell/controls/tests/ShopTestDb.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// A throwaway project for the colour tests: style attribute values put in
// AttributiCSS and read back in row order, and GIF files written into
// website/images by giflib itself, so the code under test reads GIFs it
// did not write.
class ColourFixture
{
public:
    // Adds one attribute value; the row's ID and attribute follow the order
    // of the calls.
    void Value(qint32 classId, const QString& value);
    // Every value in row order.
    QStringList Values();

    // Writes website/images/<name>: a GIF of width x height pixels taking
    // palette[index] from indexes, row after row; transparentIndex (or -1)
    // is transparent.
    void WriteGif(const QString& name, int width, int height, const QList<QColor>& palette,
                  const QList<int>& indexes, int transparentIndex = -1);
    QString ImagePath(const QString& name) const;

    ShopTestDb shop;

private:
    qint32 m_nNextId = 1;
};

// The transparent index of a GIF file as giflib reads it; -1 when none.
int GifTransparentIndex(const QString& path);
