#include "desktop/catalogue/screenshots/ShotHelpers.h"

#include <QApplication>
#include <QTextStream>
#include <QThread>
#include <QWidget>

void Settle()
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void Save(QWidget& widget, const QString& path)
{
    widget.show();
    Settle();
    widget.grab().save(path);
    QTextStream(stdout) << path << "\n";
}
