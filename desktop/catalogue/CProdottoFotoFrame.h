#pragma once

#include <QFrame>
#include <QImage>

// The frame in which the product card draws its picture: a picture that
// fits is drawn at its own size, centred; a larger one is scaled into the
// frame keeping its proportions.
class CProdottoFotoFrame : public QFrame
{
    Q_OBJECT
public:
    explicit CProdottoFotoFrame(QWidget* parent = nullptr);

    void SetImage(const QImage& image);
    const QImage& Image() const { return m_image; }
    // Where the picture goes inside an area (the drawing rules, for tests).
    static QRect Placement(const QSize& image, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
