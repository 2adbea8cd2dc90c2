#include "desktop/customers/CSSpedizioneView.h"

#include "desktop/customers/CSSpedizioneViewCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CSSpedizioneView::CSSpedizioneView(CDaoDatabase& db, QWidget* parent)
    : CGridEditorView([&db](CGridCore& grid) { return std::make_unique<CSSpedizioneViewCore>(db, grid); }, CloseGrid,
                      parent)
{
    auto* peso = new QGroupBox(QStringLiteral("Peso imballo"), this);
    auto* pesoLayout = new QHBoxLayout(peso);
    m_pPeso = new CValidatedEdit(peso);
    m_pPeso->SetParam(2, 7, 0, 3);
    m_pUnit = new QLabel(peso);
    m_pTipo = new QComboBox(peso);
    m_pTipo->addItems({QStringLiteral("Peso"), QStringLiteral("Percentuale")});
    pesoLayout->addWidget(m_pPeso);
    pesoLayout->addWidget(m_pUnit);
    pesoLayout->addWidget(new QLabel(QStringLiteral("Tipo"), peso));
    pesoLayout->addWidget(m_pTipo);
    auto* iva = new QGroupBox(QStringLiteral("IVA"), this);
    auto* ivaLayout = new QHBoxLayout(iva);
    m_pIva = new CValidatedEdit(iva);
    m_pIva->SetParam(1, 2, 0, 0);
    ivaLayout->addWidget(m_pIva);
    ivaLayout->addWidget(new QLabel(QStringLiteral("%"), iva));
    auto* settings = new QHBoxLayout;
    settings->addWidget(peso);
    settings->addWidget(iva);
    settings->addStretch();
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, settings);

    connect(m_pTipo, &QComboBox::activated, this, [this](int basis) {
        Pull();
        Core().ChooseBasis(basis);
        Push();
    });
    Start([this] { Core().Fill(); });
    Push();
}

CSSpedizioneViewCore& CSSpedizioneView::Core()
{
    return static_cast<CSSpedizioneViewCore&>(Editor());
}

void CSSpedizioneView::Pull()
{
    CSSpedizioneViewCore::Settings& settings = Core().GetSettings();
    settings.nTipoPeso = m_pTipo->currentIndex();
    settings.strPeso = m_pPeso->text();
    settings.strIva = m_pIva->text();
}

void CSSpedizioneView::Push()
{
    const CSSpedizioneViewCore::Settings& settings = Core().GetSettings();
    m_pTipo->setCurrentIndex(settings.nTipoPeso);
    m_pPeso->setText(settings.strPeso);
    m_pIva->setText(settings.strIva);
    m_pUnit->setText(Core().UnitLabel());
}

bool CSSpedizioneView::IsRowModified()
{
    Pull();
    return Core().IsModified();
}

bool CSSpedizioneView::SaveRow()
{
    Pull();
    return Core().Save();
}
