#pragma once

#include <QColor>
#include <QListWidget>

// A list whose entries are a colour sample followed by a name.
class CColorListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit CColorListBox(QWidget* parent = nullptr);

    // Appends an entry; returns its index.
    int AddColor(const QString& text, const QColor& color);
    QColor GetItemColor(int index) const;
    // The selected entry's colour; black when nothing is selected.
    QColor GetSelColor() const;
    void SetItemColor(int index, const QColor& color);
    // Renames an entry, keeping its colour and, when it was selected, the
    // selection.
    void SetItemText(int index, const QString& text);
};
