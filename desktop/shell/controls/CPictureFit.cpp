#include "desktop/shell/controls/CPictureFit.h"

#include <QLabel>
#include <QPixmap>

void CPictureFit::ShowIn(QLabel* box, const QString& path)
{
    QPixmap picture(path);
    if (path.isEmpty() || picture.isNull()) {
        box->clear();
        return;
    }
    const QSize room = box->size() - QSize(4, 4);
    if (picture.width() > room.width() || picture.height() > room.height())
        picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    box->setPixmap(picture);
}
