#include "desktop/shell/controls/CPathButton.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

QString CPathButton::ShortenPath(const QString& path, const QFontMetrics& metrics, int width)
{
    const auto fits = [&](const QString& text) { return metrics.horizontalAdvance(text) <= width; };
    const QString whole = QLatin1Char(' ') + path + QLatin1Char(' ');
    if (fits(whole))
        return whole;
    const int lastSep = path.lastIndexOf(QLatin1Char('/'));
    const QString tail = lastSep >= 0 ? path.mid(lastSep) : path;
    for (int keep = qMax(0, lastSep - 1); keep > 0; --keep) {
        const QString text = QLatin1Char(' ') + path.left(keep) + QStringLiteral("...") + tail
            + QLatin1Char(' ');
        if (fits(text))
            return text;
    }
    return metrics.elidedText(QStringLiteral(" ...") + tail + QLatin1Char(' '), Qt::ElideLeft,
                              width);
}

void CPathButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     ShortenPath(text(), fontMetrics(), area.width()));
}
