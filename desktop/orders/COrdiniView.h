#pragma once

#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>
#include <memory>

class CDaoDatabase;
class CGridCtrl;
class COrdineClienteDlg;
class COrdineGeneraleDlg;
class COrdineStatoDlg;
class COrdiniViewCore;
class CValidatedEdit;
class QLabel;
class QPagedPaintDevice;
class QTabWidget;
struct GridNotifyInfo;
struct OrdineForm;

// The merchant's desk for the orders: one order at a time with its pages,
// lines and totals. It fills its controls from COrdiniViewCore and hands
// every action to it; a changed order is saved unasked when the merchant
// moves on or closes the frame.
class COrdiniView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    COrdiniView(CDaoDatabase& db, const QString& projectFolder, const QString& defaultLanguage,
                QWidget* parent = nullptr);
    ~COrdiniView() override;

    // The editing language of the main window, for the predefined states.
    std::function<QString()> m_currentLanguage;

    // The print command's choices: which documents (false for "Annulla"),
    // then the printer or PDF file (nullptr when the dialog is cancelled).
    // The widget sets dialogs; a test answers directly.
    std::function<bool(bool* fattura, bool* etichetta)> m_chooseDocuments;
    std::function<std::unique_ptr<QPagedPaintDevice>()> m_choosePrinter;

    COrdiniViewCore& Core() { return *m_core; }
    CGridCtrl* Lines() const { return m_pGrid; }
    COrdineStatoDlg* StatePage() const { return m_pStato; }
    COrdineClienteDlg* CustomerPage() const { return m_pCliente; }
    COrdineGeneraleDlg* GeneralPage() const { return m_pGenerale; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QLabel* Image() const { return m_pImmagine; }
    CValidatedEdit* OrderTotal() const { return m_pTotale; }
    // The form as the pages hold it now.
    OrdineForm Pull() const;

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseRecordLenient; }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    bool IsViewCommandEnabled(int id) override;
    void OnViewCommand(int id) override;

private:
    void BuildLinesGrid();
    void ShowRecord();
    void ShowLines();
    void ShowTotals();
    void OnCellLeave(GridNotifyInfo* info, int* result);
    void CommitTypedShipped();
    void ShowImage(const QString& path);
    void OnFilePrint();

    std::unique_ptr<COrdiniViewCore> m_core;
    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    QLabel* m_pNumero;
    QLabel* m_pData;
    QLabel* m_pCliente_;
    QLabel* m_pImmagine;
    QTabWidget* m_pTabs;
    COrdineGeneraleDlg* m_pGenerale;
    COrdineClienteDlg* m_pCliente;
    COrdineClienteDlg* m_pDestinatario;
    COrdineStatoDlg* m_pStato;
    CGridCtrl* m_pGrid;
    CValidatedEdit* m_pSpedizione;
    CValidatedEdit* m_pContrassegno;
    CValidatedEdit* m_pImponibile;
    CValidatedEdit* m_pImposta;
    CValidatedEdit* m_pTotale;
};
