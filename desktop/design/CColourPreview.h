#pragma once

#include <QImage>
#include <QWidget>

// The preview of "Modifica colori": the image as drawn at its zoom, from
// the top-left corner, clipped to the area. It reports where the pointer
// moves and where the left button is released, for picking a colour.
class CColourPreview : public QWidget
{
    Q_OBJECT
public:
    explicit CColourPreview(QWidget* parent = nullptr);

    void SetImage(const QImage& shown);
    void SetPicking(bool picking);

signals:
    void Hovered(const QPoint& point);
    void Released(const QPoint& point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_shown;
};
