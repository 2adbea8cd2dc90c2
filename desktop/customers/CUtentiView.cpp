#include "desktop/customers/CUtentiView.h"

#include "desktop/customers/CCollegamentiPage.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

const char* const kDiscountChars = "1234567890+,.";

void FillCombo(QComboBox* combo, const QList<CUtentiRelazioni::Entry>& entries)
{
    const QSignalBlocker block(combo);
    combo->clear();
    for (const CUtentiRelazioni::Entry& entry : entries)
        combo->addItem(entry.strText, entry.nID);
}

void SelectData(QComboBox* combo, qint32 id)
{
    const QSignalBlocker block(combo);
    const int index = combo->findData(id);
    combo->setCurrentIndex(index >= 0 ? index : (combo->count() > 0 ? 0 : -1));
}

qint32 SelectedData(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

} // namespace

CUtentiView::CUtentiView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent)
    : QWidget(parent), m_core(db, currentLanguage, defaultLanguage)
{
    auto* main = new QGridLayout;
    const auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    main->addWidget(label("Ragione sociale"), 0, 0);
    main->addWidget(AddEdit(QStringLiteral("RagioneSociale"), 0, 50, 0, 0), 0, 1);
    main->addWidget(label("Tipo utente"), 0, 2);
    m_pTipo = new QComboBox(this);
    m_pTipo->addItems(CUtentiViewCore::TipoTexts());
    main->addWidget(m_pTipo, 0, 3);
    main->addWidget(label("Cognome"), 1, 0);
    main->addWidget(AddEdit(QStringLiteral("Cognome"), 0, 50, 0, 0), 1, 1);
    main->addWidget(label("Nome"), 1, 2);
    main->addWidget(AddEdit(QStringLiteral("Nome"), 0, 50, 0, 0), 1, 3);
    main->addWidget(label("User ID"), 2, 0);
    main->addWidget(AddEdit(QStringLiteral("UserID"), 0, 20, 0, 0), 2, 1);
    main->addWidget(label("Password"), 2, 2);
    auto* password = new QHBoxLayout;
    m_pPassword = new QLineEdit(this);
    m_pPassword->setEchoMode(QLineEdit::Password);
    m_pPassword->setMaxLength(20);
    m_pPassword->setPlaceholderText(QStringLiteral("(invariata)"));
    m_pGenera = new QPushButton(QStringLiteral("Genera"), this);
    password->addWidget(m_pPassword, 1);
    password->addWidget(m_pGenera);
    main->addLayout(password, 2, 3);

    m_pTabs = new QTabWidget(this);
    m_pTabs->addTab(BuildGenerale(), QStringLiteral("  Generale  "));
    m_pTabs->addTab(BuildParametri(), QStringLiteral("  Parametri  "));
    m_pTabs->addTab(BuildRelazioni(), QStringLiteral("  Relazioni  "));
    m_pTabs->addTab(BuildInteressi(), QStringLiteral("  Interessi  "));
    m_pFifth = new CCollegamentiPage(this);
    m_pFifth->hide();
    m_pFifth->m_guard = [this](const std::function<void()>& move) {
        Guard([&] {
            Pull();
            move();
        });
    };

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(main);
    layout->addWidget(m_pTabs, 1);

    connect(m_pTipo, &QComboBox::activated, this, [this](int index) {
        Guard([&] {
            Pull();
            m_core.ChangeKind(index);
        });
    });
    connect(m_pGruppo, &QComboBox::activated, this, [this] {
        Guard([&] {
            Pull();
            m_core.ChangeGroup(SelectedData(m_pGruppo));
        });
    });
    connect(m_pGenera, &QPushButton::clicked, this, &CUtentiView::OnGenerate);
    connect(m_pInteressi, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        Guard([&] {
            Pull();
            m_core.Interessi().SetTicked(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
        });
    });
    Push();
}

CUtentiView::~CUtentiView() = default;

CValidatedEdit* CUtentiView::AddEdit(const QString& column, int kind, int width, int flag, int decimals)
{
    auto* edit = new CValidatedEdit(this);
    edit->SetParam(quint8(kind), width, flag, decimals);
    m_edits.insert(column, edit);
    return edit;
}

CValidatedEdit* CUtentiView::Edit(const QString& column) const
{
    return m_edits.value(column);
}

QWidget* CUtentiView::BuildGenerale()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    const QList<CUtentiViewCore::Field>& fields = CUtentiViewCore::GeneraleFields();
    for (int i = 0; i < fields.size(); ++i) {
        const int row = i / 2;
        const int col = (i % 2) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(fields.at(i).label), page), row, col);
        grid->addWidget(AddEdit(QString::fromLatin1(fields.at(i).column), 0, fields.at(i).length, 0, 0), row, col + 1);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* CUtentiView::BuildParametri()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    m_pListino = new QComboBox(page);
    m_pListino->addItems(CUtentiViewCore::ListinoTexts());
    m_pLingua = new QComboBox(page);
    m_pLingua->addItem(QStringLiteral("Non selezionata"), 0);
    for (const auto& [id, descrizione] : m_core.Lingue())
        m_pLingua->addItem(descrizione, id);
    grid->addWidget(new QLabel(QStringLiteral("Listino"), page), 0, 0);
    grid->addWidget(m_pListino, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Lingua"), page), 1, 0);
    grid->addWidget(m_pLingua, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Pagamento"), page), 2, 0);
    grid->addWidget(AddEdit(QStringLiteral("Pagamento"), 0, 50, 0, 0), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Fido"), page), 3, 0);
    grid->addWidget(AddEdit(QStringLiteral("Fido"), 4, 12, 1, 6), 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Fido residuo"), page), 4, 0);
    grid->addWidget(AddEdit(QStringLiteral("FidoResiduo"), 4, 12, 1, 6), 4, 1);

    m_pBoxPredefinito = new QGroupBox(QStringLiteral("Sconto predefinito"), page);
    auto* predefinito = new QFormLayout(m_pBoxPredefinito);
    CValidatedEdit* sconto = AddEdit(QStringLiteral("ScontoPredefinito"), 0, 30, 0, 0);
    sconto->SetAllowedChr(QString::fromLatin1(kDiscountChars));
    predefinito->addRow(QStringLiteral("%"), sconto);
    m_pBoxPeriodo = new QGroupBox(QStringLiteral("Sconto per periodo"), page);
    auto* periodo = new QFormLayout(m_pBoxPeriodo);
    periodo->addRow(QStringLiteral("Validità dal"), AddEdit(QStringLiteral("ValiditaDal"), 5, 8, 0, 0));
    periodo->addRow(QStringLiteral("Validità al"), AddEdit(QStringLiteral("ValiditaAl"), 5, 8, 0, 0));
    CValidatedEdit* scontoPeriodo = AddEdit(QStringLiteral("ScontoPeriodo"), 0, 30, 0, 0);
    scontoPeriodo->SetAllowedChr(QString::fromLatin1(kDiscountChars));
    periodo->addRow(QStringLiteral("%"), scontoPeriodo);
    grid->addWidget(m_pBoxPredefinito, 0, 2, 2, 1);
    grid->addWidget(m_pBoxPeriodo, 2, 2, 3, 1);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* CUtentiView::BuildRelazioni()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_pAgente = new QComboBox(page);
    m_pGruppo = new QComboBox(page);
    m_pCliente = new QComboBox(page);
    form->addRow(QStringLiteral("Agente"), m_pAgente);
    form->addRow(QStringLiteral("Gruppo"), m_pGruppo);
    form->addRow(QStringLiteral("Cliente"), m_pCliente);
    return page;
}

QWidget* CUtentiView::BuildInteressi()
{
    m_pInteressi = new QListWidget(this);
    return m_pInteressi;
}

template <typename F>
bool CUtentiView::Guard(F&& step)
{
    bool ok = true;
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Archivio utenti"), CMessageBox::Stop);
        ok = false;
    } catch (const std::exception& error) {
        CMessageBox::Show(this, QString::fromUtf8(error.what()), QStringLiteral("Archivio utenti"), CMessageBox::Stop);
        ok = false;
    }
    Push();
    return ok;
}

void CUtentiView::Pull()
{
    UtenteForm& f = m_core.Form();
    f.strRagioneSociale = Edit(QStringLiteral("RagioneSociale"))->text();
    f.strCognome = Edit(QStringLiteral("Cognome"))->text();
    f.strNome = Edit(QStringLiteral("Nome"))->text();
    f.strUserID = Edit(QStringLiteral("UserID"))->text();
    f.strPassword = m_pPassword->text();
    f.nTipo = m_pTipo->currentIndex();
    f.generale.clear();
    for (const CUtentiViewCore::Field& field : CUtentiViewCore::GeneraleFields())
        f.generale << Edit(QString::fromLatin1(field.column))->text();
    f.nListino = m_pListino->currentIndex();
    f.nLingua = m_pLingua->currentIndex() <= 0 ? 0 : m_pLingua->currentData().toInt();
    f.strValiditaDal = Edit(QStringLiteral("ValiditaDal"))->text();
    f.strValiditaAl = Edit(QStringLiteral("ValiditaAl"))->text();
    f.strScontoPredefinito = Edit(QStringLiteral("ScontoPredefinito"))->text();
    f.strScontoPeriodo = Edit(QStringLiteral("ScontoPeriodo"))->text();
    f.strPagamento = Edit(QStringLiteral("Pagamento"))->text();
    f.strFido = Edit(QStringLiteral("Fido"))->text();
    f.strFidoResiduo = Edit(QStringLiteral("FidoResiduo"))->text();
    f.nGruppo = SelectedData(m_pGruppo);
    f.nAgente = SelectedData(m_pAgente);
    f.nCliente = SelectedData(m_pCliente);
}

void CUtentiView::Push()
{
    const UtenteForm& f = m_core.Form();
    const CUtentiViewCore::Controls& c = m_core.GetControls();
    FillLists();
    const auto set = [this](const char* column, const QString& text) {
        Edit(QString::fromLatin1(column))->setText(text);
    };
    set("RagioneSociale", f.strRagioneSociale);
    set("Cognome", f.strCognome);
    set("Nome", f.strNome);
    set("UserID", f.strUserID);
    // A typed password stays masked until it is saved; a stored one is never shown.
    if (f.strPassword.isEmpty())
        m_pPassword->clear();
    {
        const QSignalBlocker block(m_pTipo);
        m_pTipo->setCurrentIndex(f.nTipo);
    }
    const QList<CUtentiViewCore::Field>& fields = CUtentiViewCore::GeneraleFields();
    for (int i = 0; i < fields.size(); ++i)
        set(fields.at(i).column, f.generale.value(i));
    m_pListino->setCurrentIndex(f.nListino);
    SelectData(m_pLingua, f.nLingua);
    set("ValiditaDal", f.strValiditaDal);
    set("ValiditaAl", f.strValiditaAl);
    set("ScontoPredefinito", f.strScontoPredefinito);
    set("ScontoPeriodo", f.strScontoPeriodo);
    set("Pagamento", f.strPagamento);
    set("Fido", f.strFido);
    set("FidoResiduo", f.strFidoResiduo);
    SelectData(m_pGruppo, f.nGruppo);
    SelectData(m_pAgente, f.nAgente);
    SelectData(m_pCliente, f.nCliente);

    // Enabling: the data controls, then what the row or the entry allows.
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        it.value()->setEnabled(c.bData);
    for (QWidget* w : std::initializer_list<QWidget*>{m_pListino, m_pAgente, m_pGruppo, m_pCliente, m_pPassword, m_pGenera})
        w->setEnabled(c.bData);
    if (c.bFilterEntry)
        for (const char* column : {"RagioneSociale", "Cognome", "Nome"})
            Edit(QString::fromLatin1(column))->setEnabled(true);
    const bool loginOn = c.bData && c.bLogin;
    Edit(QStringLiteral("UserID"))->setEnabled(loginOn);
    m_pPassword->setEnabled(loginOn);
    m_pGenera->setEnabled(loginOn && !c.bMainReadOnly);
    m_pCliente->setEnabled(c.bData && c.bCliente);
    for (const char* column : {"RagioneSociale", "Cognome", "Nome", "UserID"})
        Edit(QString::fromLatin1(column))->SetReadOnly(c.bMainReadOnly);
    m_pPassword->setReadOnly(c.bMainReadOnly);
    for (const CUtentiViewCore::Field& field : fields)
        Edit(QString::fromLatin1(field.column))->SetReadOnly(c.bMainReadOnly);
    m_pTipo->setEnabled(c.bTipo);
    m_pTabs->setEnabled(c.bTabs);
    m_pBoxPredefinito->setTitle(c.strScontoPredefinito);
    m_pBoxPeriodo->setTitle(c.strScontoPeriodo);
    ShowTabs();
    ShowLinks();
    ShowInterests();

    switch (m_core.TakeFocus()) {
    case CUtentiViewCore::FocusRagioneSociale: Edit(QStringLiteral("RagioneSociale"))->setFocus(); break;
    case CUtentiViewCore::FocusUserID: Edit(QStringLiteral("UserID"))->setFocus(); break;
    default: break;
    }
}

void CUtentiView::FillLists()
{
    if (m_nListsVersion == m_core.ListsVersion())
        return;
    // The group list is filled once: groups are not edited here.
    if (m_nListsVersion < 0)
        FillCombo(m_pGruppo, m_core.Relazioni().Gruppi());
    FillCombo(m_pAgente, m_core.Relazioni().Agenti());
    FillCombo(m_pCliente, m_core.Relazioni().Clienti());
    m_nListsVersion = m_core.ListsVersion();
}

void CUtentiView::ShowTabs()
{
    const CUtentiViewCore::FifthTab fifth = m_core.GetControls().fifth;
    const int index = m_pTabs->indexOf(m_pFifth);
    if (fifth == CUtentiViewCore::NoFifthTab) {
        if (index >= 0) {
            const bool selected = m_pTabs->currentIndex() == index;
            m_pTabs->removeTab(index);
            if (selected)
                m_pTabs->setCurrentIndex(0);
        }
        return;
    }
    const QString title = fifth == CUtentiViewCore::TabClienti ? QStringLiteral("  Clienti  ")
                                                               : QStringLiteral("  Destinatari  ");
    if (index < 0)
        m_pTabs->addTab(m_pFifth, title);
    else
        m_pTabs->setTabText(index, title);
}

void CUtentiView::ShowLinks()
{
    if (m_core.Relazioni().GetMode() == CClientiCollegamenti::None)
        m_pFifth->Clear();
    else
        m_pFifth->Show(&m_core.Relazioni());
}

void CUtentiView::ShowInterests()
{
    const QSignalBlocker block(m_pInteressi);
    m_pInteressi->clear();
    const bool writable = m_core.Interessi().User() >= 0;
    for (const CUtentiInteressi::Entry& entry : m_core.Interessi().Entries()) {
        auto* item = new QListWidgetItem(entry.strText, m_pInteressi);
        item->setData(Qt::UserRole, entry.nID);
        item->setFlags(writable ? (Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable)
                                : Qt::NoItemFlags);
        item->setCheckState(entry.bTicked ? Qt::Checked : Qt::Unchecked);
    }
}

void CUtentiView::OnGenerate()
{
    Pull();
    const QString password = m_core.GeneratePassword();
    m_pPassword->setText(password);
    // The one moment the password is seen: it is kept only as a hash.
    CMessageBox::Show(this,
                      QStringLiteral("Nuova password: %1\n\nComunicarla all'utente: sarà salvata con il record e non "
                                     "potrà più essere visualizzata.")
                          .arg(password),
                      QStringLiteral("Password utente"), CMessageBox::Information);
}

bool CUtentiView::IsRecordModified()
{
    Pull();
    return m_core.IsRecordModified();
}

bool CUtentiView::SaveRecord()
{
    Pull();
    bool saved = false;
    Guard([&] { saved = m_core.SaveRecord(); });
    return saved;
}

bool CUtentiView::IsViewCommandEnabled(int id)
{
    return m_core.IsCommandEnabled(id);
}

bool CUtentiView::IsViewCommandChecked(int id)
{
    return m_core.IsCommandChecked(id);
}

void CUtentiView::OnViewCommand(int id)
{
    Guard([&] {
        Pull();
        m_core.OnCommand(id);
    });
}
