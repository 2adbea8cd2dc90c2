#include "desktop/shell/controls/CColorText.h"

QString CColorText::ToString(const QColor& color)
{
    if (!color.isValid())
        return QString();
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QColor CColorText::FromString(const QString& text)
{
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = text.mid(1 + 2 * i, 2).toInt(&ok, 16);
        if (!ok || text.mid(1 + 2 * i, 2).size() != 2)
            return QColor();
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}
