#include "desktop/orders/COrdineGeneraleDlg.h"

#include "desktop/shell/controls/CValidatedEdit.h"

#include <QFormLayout>
#include <QPlainTextEdit>

COrdineGeneraleDlg::COrdineGeneraleDlg(QWidget* parent)
    : QWidget(parent), m_pPagamento(new CValidatedEdit(this)), m_pFattura(new CValidatedEdit(this)),
      m_pColli(new CValidatedEdit(this)), m_pNote(new QPlainTextEdit(this))
{
    m_pPagamento->SetParam(0, 255, 0, 0);
    m_pPagamento->SetReadOnly(1);
    m_pFattura->SetParam(0, 255, 0, 0);
    m_pFattura->SetReadOnly(1);
    m_pColli->SetParam(1, 3, 0, 0);
    m_pNote->setReadOnly(true);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Modalità di pagamento"), m_pPagamento);
    layout->addRow(QStringLiteral("Estremi fattura"), m_pFattura);
    layout->addRow(QStringLiteral("N. colli"), m_pColli);
    layout->addRow(m_pNote);
}

void COrdineGeneraleDlg::Show(const QString& payment, const QString& invoice, const QString& notes,
                              const QString& parcels)
{
    m_pPagamento->SetValue(payment);
    m_pFattura->SetValue(invoice);
    m_pNote->setPlainText(notes);
    m_pColli->SetValue(parcels);
}

QString COrdineGeneraleDlg::Parcels() const
{
    QString value;
    m_pColli->GetValue(value);
    return value;
}

void COrdineGeneraleDlg::SetReadOnly(bool locked)
{
    m_pColli->SetReadOnly(locked ? 1 : 0);
}
