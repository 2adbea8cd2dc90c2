#include "desktop/shell/controls/CColorListBox.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr int kColorRole = Qt::UserRole + 1;

// The sample takes the left quarter of the entry, framed in black; the name
// follows it.
class ColorEntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const bool enabled = option.state & QStyle::State_Enabled;
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        const QRect inner = option.rect.adjusted(2, 2, -2, -2);
        const QRect sample(inner.left(), inner.top(), option.rect.width() / 4, inner.height());
        painter->setPen(Qt::black);
        painter->setBrush(enabled ? index.data(kColorRole).value<QColor>()
                                  : option.palette.color(QPalette::Disabled, QPalette::Text));
        painter->drawRect(sample.adjusted(0, 0, -1, -1));
        painter->setPen(!enabled ? option.palette.color(QPalette::Disabled, QPalette::Text)
                        : selected ? option.palette.color(QPalette::HighlightedText)
                                   : option.palette.color(QPalette::Text));
        const QRect text(sample.right() + 3, inner.top(), inner.right() - sample.right() - 3, inner.height());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }
};
}

CColorListBox::CColorListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new ColorEntryDelegate(this));
}

int CColorListBox::AddColor(const QString& text, const QColor& color)
{
    auto* item = new QListWidgetItem(text, this);
    item->setData(kColorRole, color);
    if (count() == 1)
        setCurrentRow(0);
    return count() - 1;
}

QColor CColorListBox::GetItemColor(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(kColorRole).value<QColor>() : QColor(Qt::black);
}

QColor CColorListBox::GetSelColor() const
{
    return currentRow() >= 0 ? GetItemColor(currentRow()) : QColor(Qt::black);
}

void CColorListBox::SetItemColor(int index, const QColor& color)
{
    if (QListWidgetItem* entry = item(index)) {
        entry->setData(kColorRole, color);
    }
}

void CColorListBox::SetItemText(int index, const QString& text)
{
    if (QListWidgetItem* entry = item(index))
        entry->setText(text);
}
