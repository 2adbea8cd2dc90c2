#include "desktop/orders/CStampaDocumentiDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CStampaDocumentiDlg::CStampaDocumentiDlg(QWidget* parent)
    : QDialog(parent), m_pFattura(new QCheckBox(QStringLiteral("Fattura"), this)),
      m_pEtichetta(new QCheckBox(QStringLiteral("Etichetta pacco"), this))
{
    setWindowTitle(QStringLiteral("Stampa documenti ordine"));
    m_pFattura->setChecked(true);
    m_pEtichetta->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pFattura);
    layout->addWidget(m_pEtichetta);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CStampaDocumentiDlg::Fattura() const
{
    return m_pFattura->isChecked();
}

bool CStampaDocumentiDlg::Etichetta() const
{
    return m_pEtichetta->isChecked();
}
