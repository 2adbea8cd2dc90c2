#include "desktop/shell/settings/CParAziView.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/settings/CParAziViewCore.h"
#include "platform/dao/CDaoException.h"

#include <QFormLayout>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
CParAziView::PageFactory& ChiSiamoFactory()
{
    static CParAziView::PageFactory factory;
    return factory;
}
}

// ---- "Dati aziendali" ---------------------------------------------------------------

CParAziDatiAziendaliDlg::CParAziDatiAziendaliDlg(CDaoDatabase& db, QWidget* parent)
    : QWidget(parent), m_core(std::make_unique<CParAziViewCore>(db))
{
    auto* form = new QFormLayout(this);
    const QStringList texts = m_core->Load();
    for (int i = 0; i < CParAziViewCore::Fields().size(); ++i) {
        const CParAziViewCore::Field& field = CParAziViewCore::Fields().at(i);
        auto* edit = new CValidatedEdit(this);
        edit->SetParam(field.kind, field.width, 0, 0);
        edit->SetValue(texts.at(i));
        edit->setProperty("controlId", field.id);
        form->addRow(QString::fromUtf8(field.label), edit);
        m_edits << edit;
    }
}

CParAziDatiAziendaliDlg::~CParAziDatiAziendaliDlg() = default;

QStringList CParAziDatiAziendaliDlg::Texts() const
{
    QStringList texts;
    for (CValidatedEdit* edit : m_edits) {
        QString text;
        edit->GetValue(text);
        texts << text;
    }
    return texts;
}

CValidatedEdit* CParAziDatiAziendaliDlg::Edit(int id) const
{
    for (CValidatedEdit* edit : m_edits)
        if (edit->property("controlId").toInt() == id)
            return edit;
    return nullptr;
}

bool CParAziDatiAziendaliDlg::IsRecordModified()
{
    return m_core->IsRecordModified(Texts());
}

bool CParAziDatiAziendaliDlg::SaveRecord()
{
    try {
        m_core->SaveRecord(Texts());
        return true;
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
        return false;
    }
}

// ---- the view ------------------------------------------------------------------------

void CParAziView::SetChiSiamoFactory(PageFactory factory)
{
    ChiSiamoFactory() = std::move(factory);
}

CParAziView::CParAziView(CDaoDatabase& db, QWidget* parent) : QWidget(parent), m_db(db)
{
    m_pTabs = new QTabBar(this);
    m_pTabs->addTab(QStringLiteral("  Dati aziendali  "));
    m_pTabs->addTab(QStringLiteral("  Chi siamo  "));
    m_pHolder = new QWidget(this);
    m_pHolderLayout = new QVBoxLayout(m_pHolder);
    // A form as wide as its fields need, not as the frame is.
    m_pTabs->setExpanding(false);
    m_pHolder->setFixedWidth(600);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pHolder, 1, Qt::AlignLeft | Qt::AlignTop);
    CreatePage(0);
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int page) {
        LeavePage();
        CreatePage(page);
    });
}

CParAziView::~CParAziView() = default;

void CParAziView::ShowPage(int page)
{
    m_pTabs->setCurrentIndex(page);
}

int CParAziView::CurrentPage() const
{
    return m_nPage;
}

// The page of the tab being left saves and goes.
void CParAziView::LeavePage()
{
    if (m_pCompany) {
        if (m_pCompany->IsRecordModified())
            m_pCompany->SaveRecord();
        delete m_pCompany;
    }
    delete m_pPresentation;
}

void CParAziView::CreatePage(int page)
{
    m_nPage = page;
    if (page == 0) {
        m_pCompany = new CParAziDatiAziendaliDlg(m_db, m_pHolder);
        m_pHolderLayout->addWidget(m_pCompany);
    } else {
        m_pPresentation = ChiSiamoFactory() ? ChiSiamoFactory()(m_pHolder) : new QWidget(m_pHolder);
        m_pHolderLayout->addWidget(m_pPresentation);
    }
}

bool CParAziView::IsRecordModified()
{
    if (auto* page = dynamic_cast<ITindaView*>(m_pPresentation.data()))
        return page->IsRecordModified();
    return m_pCompany && m_pCompany->IsRecordModified();
}

bool CParAziView::SaveRecord()
{
    if (auto* page = dynamic_cast<ITindaView*>(m_pPresentation.data()))
        return page->SaveRecord();
    return !m_pCompany || m_pCompany->SaveRecord();
}

void CParAziView::RefreshLanguage()
{
    if (auto* view = dynamic_cast<ITindaView*>(m_pPresentation.data()))
        view->RefreshLanguage();
}
