#pragma once

#include <QListWidget>

// A list that tells its parent which entry a left click hit
// (UM_LIST_CLICK, -1 on the empty part), after its own selection handling.
class CClickListCtrl : public QListWidget
{
    Q_OBJECT
public:
    explicit CClickListCtrl(QWidget* parent = nullptr);

signals:
    void UM_LIST_CLICK(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
