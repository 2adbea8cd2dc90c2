#pragma once

#include <QDialog>

class QCheckBox;

// "Stampa documenti ordine": which of the order's documents to print,
// both ticked when it opens.
class CStampaDocumentiDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CStampaDocumentiDlg(QWidget* parent = nullptr);

    bool Fattura() const;
    bool Etichetta() const;

private:
    QCheckBox* m_pFattura;
    QCheckBox* m_pEtichetta;
};
