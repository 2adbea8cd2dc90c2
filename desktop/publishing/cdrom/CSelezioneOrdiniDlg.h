#pragma once

#include "desktop/publishing/cdrom/CCDRomViewCore.h"

#include <QDialog>

class QListWidget;

// "Selezione ordini": the customer's orders to tick, newest first. Its
// result is the ticked orders' IDs in list order.
class CSelezioneOrdiniDlg : public QDialog
{
    Q_OBJECT
public:
    // The dialog's top right corner goes to anchor.
    CSelezioneOrdiniDlg(const QList<CCDRomViewCore::Order>& orders, const QPoint& anchor, QWidget* parent = nullptr);

    QList<qint32> SelectedOrders() const;
    void OnClearSelection();

private:
    QListWidget* m_pList = nullptr;
};
