#pragma once

#include <QString>

class QWidget;

// Lets queued painting and layout happen before a picture is taken.
void Settle();
// Shows the widget, settles, saves its picture to path and prints the path.
void Save(QWidget& widget, const QString& path);
