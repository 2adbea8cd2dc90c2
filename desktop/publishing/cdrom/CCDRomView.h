#pragma once

#include "desktop/publishing/cdrom/CCDRomViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// "Creazione immagine CD Rom": the customer and, optionally, some of the
// customer's orders; "Avvio" builds the image, "Demo CD" shows it in the
// configured viewer (and is not there when none is configured).
class CCDRomView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CCDRomView(CDaoDatabase& database, const QString& projectFolder, const QString& installFolder,
               QWidget* parent = nullptr);

    CCDRomViewCore& Core() { return m_core; }
    // The language texts missing in a language fall back to; the main
    // frame's by default.
    std::function<QString()> m_defaultLanguage;

    void OnUserTypeChanged();
    void OnCustomerChanged();
    void OnSelectOrders();
    void BuildImage();
    void LaunchViewer();

    QListWidget* CustomerList() const { return m_pCustomers; }
    QComboBox* KindCombo() const { return m_pKind; }
    QPushButton* OrdersButton() const { return m_pOrders; }
    QPushButton* DemoButton() const { return m_pDemo; }
    QPushButton* BuildButton() const { return m_pBuild; }
    QList<qint32> SelectedOrders() const { return m_selectedOrders; }
    void SetSelectedOrders(const QList<qint32>& orders) { m_selectedOrders = orders; }

private:
    void FillCustomerList();
    CCDRomViewCore::Customer Current() const;

    CCDRomViewCore m_core;
    QList<CCDRomViewCore::Customer> m_customers;
    QList<qint32> m_selectedOrders;
    QListWidget* m_pCustomers = nullptr;
    QComboBox* m_pKind = nullptr;
    QLabel* m_pPath = nullptr;
    QPushButton* m_pOrders = nullptr;
    QPushButton* m_pDemo = nullptr;
    QPushButton* m_pBuild = nullptr;
};
