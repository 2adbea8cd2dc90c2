#include "desktop/design/CStileColoreRiga.h"

#include "desktop/shell/controls/CColorSwatch.h"

#include <QHBoxLayout>
#include <QPushButton>

CStileColoreRiga::CStileColoreRiga(CStileColorChooser::CustomColours& custom, QWidget* parent)
    : QWidget(parent), m_custom(custom), m_pSwatch(new CColorSwatch(this)),
      m_pChange(new QPushButton(QStringLiteral("Cambia"), this)),
      m_pDelete(new QPushButton(QStringLiteral("Elimina"), this))
{
    m_pSwatch->setFixedSize(48, 22);
    m_pSwatch->setFrameShape(QFrame::Box);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pSwatch);
    layout->addWidget(m_pChange);
    layout->addWidget(m_pDelete);
    layout->addStretch();
    connect(m_pChange, &QPushButton::clicked, this, &CStileColoreRiga::OnChange);
    connect(m_pDelete, &QPushButton::clicked, this, &CStileColoreRiga::OnDelete);
}

void CStileColoreRiga::ShowColour(const QString& colour)
{
    if (colour.isEmpty())
        m_pSwatch->SetNoColor();
    else
        m_pSwatch->SetColorString(colour);
}

QString CStileColoreRiga::GetColour() const
{
    return m_pSwatch->GetColorString();
}

void CStileColoreRiga::OnChange()
{
    const QColor start = m_pSwatch->HasColor() ? m_pSwatch->GetColor() : QColor();
    if (const auto chosen = CStileColorChooser::Choose(this, start, m_custom)) {
        m_pSwatch->SetColor(*chosen);
        emit ColourEdited(m_pSwatch->GetColorString());
    }
}

void CStileColoreRiga::OnDelete()
{
    m_pSwatch->SetNoColor();
    emit ColourEdited(QString());
}
