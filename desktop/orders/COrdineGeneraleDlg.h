#pragma once

#include <QWidget>

class CValidatedEdit;
class QPlainTextEdit;

// The page "  Dati generali  ": payment, invoice reference and notes,
// shown only, and the parcels, which the merchant types.
class COrdineGeneraleDlg : public QWidget
{
    Q_OBJECT
public:
    explicit COrdineGeneraleDlg(QWidget* parent = nullptr);

    void Show(const QString& payment, const QString& invoice, const QString& notes, const QString& parcels);
    QString Parcels() const;
    void SetReadOnly(bool locked);
    CValidatedEdit* ParcelsField() const { return m_pColli; }
    CValidatedEdit* InvoiceField() const { return m_pFattura; }

private:
    CValidatedEdit* m_pPagamento;
    CValidatedEdit* m_pFattura;
    CValidatedEdit* m_pColli;
    QPlainTextEdit* m_pNote;
};
