#include "desktop/catalogue/CImportDatiDlg.h"

#include "desktop/catalogue/CImportDatiParser.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CIDCategorieDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CLingueSet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kSelezione = QStringLiteral("Selezione campi");
const QString kImport = QStringLiteral("Import dati");
constexpr int kCodeRole = Qt::UserRole + 1;

QString Number(double value)
{
    return QString::number(value, 'g', 15);
}

QString Date(const QDate& date)
{
    return date.isNull() ? QString() : QString::asprintf("%02d/%02d/%04d", date.day(), date.month(), date.year());
}

// The preview cell of a field: its text, or a check for the flags.
QString CellText(ImportField field, const ImportDatiRecord& r, int* check)
{
    switch (field) {
    case ImportField::IDCategoria: return QString::number(r.nCategoria);
    case ImportField::Codice: return r.strCodice;
    case ImportField::Nome: return r.strNome;
    case ImportField::DescrizioneBreve: return r.strDescrizioneBreve;
    case ImportField::DescrizioneFattura: return r.strDescrizioneFattura;
    case ImportField::DescrizioneEstesa: return r.strDescrizioneEstesa;
    case ImportField::CodiceABarre: return r.strCodiceABarre;
    case ImportField::UnitaMisura: return r.strUM;
    case ImportField::Prezzo1: return Number(r.dPrezzo[0]);
    case ImportField::Prezzo2: return Number(r.dPrezzo[1]);
    case ImportField::Prezzo3: return Number(r.dPrezzo[2]);
    case ImportField::Prezzo4: return Number(r.dPrezzo[3]);
    case ImportField::AliquotaIVA: return Number(r.dIVA);
    case ImportField::Peso: return Number(r.dPeso);
    case ImportField::Disponibilita: return Number(r.dDisponibilita);
    case ImportField::ScontoOfferta: return Number(r.dSconto);
    case ImportField::PrezzoPromozionale: return Number(r.dPrezzoPromozione);
    case ImportField::FlagAttivo: *check = r.bAttivo; return QString();
    case ImportField::FlagNovita: *check = r.bNovita; return QString();
    case ImportField::FlagOfferta: *check = r.bOfferta; return QString();
    case ImportField::DataInizioOfferta: return Date(r.dataDal);
    case ImportField::DataFineOfferta: return Date(r.dataAl);
    }
    return QString();
}

} // namespace

CImportDatiDlg::CImportDatiDlg(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                               const QString& defaultLanguage, QWidget* parent)
    : QDialog(parent), m_db(database), m_strProjectFolder(projectFolder), m_strCurrentLanguage(currentLanguage),
      m_strDefaultLanguage(defaultLanguage), m_jobs(*this)
{
    connect(&m_jobs, &CCatalogueJobRunner::Finished, this, &CImportDatiDlg::OnJobEnd);
    setWindowTitle(QStringLiteral("Import dati esterni"));
    BuildLayout();
    LoadLanguages(defaultLanguage);
    FillFieldList();
    OnObsolete(false);
    UpdateMoveButtons();
    RefreshPreview();
}

CImportDatiDlg::~CImportDatiDlg() = default;

void CImportDatiDlg::BuildLayout()
{
    m_pFile = new QLineEdit(this);
    m_pBrowse = new QPushButton(QStringLiteral("Sfoglia"), this);
    m_pLanguage = new QComboBox(this);
    m_pFields = new QListWidget(this);
    m_pUp = new QToolButton(this);
    m_pUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    m_pDown = new QToolButton(this);
    m_pDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    m_pObsolete = new QCheckBox(QStringLiteral("Gestione prodotti obsoleti"), this);
    m_pDelete = new QRadioButton(QStringLiteral("Elimina"), this);
    m_pDeactivate = new QRadioButton(QStringLiteral("Disattiva"), this);
    // The two choices are cleared together when the check is cleared.
    auto* group = new QButtonGroup(this);
    group->addButton(m_pDelete);
    group->addButton(m_pDeactivate);
    m_pSeparator = new CValidatedEdit(this);
    m_pSeparator->SetParam(0, 1, 0, 0);
    m_pSeparator->SetValue(m_settings.m_strSeparator);
    m_pSeparator->setMaximumWidth(40);
    m_pCategoryIds = new QPushButton(QStringLiteral("ID Categorie"), this);
    m_pPreview = new CGridCtrl(this);
    m_pPreview->setMinimumHeight(150);
    m_pStatus = new QLabel(this);
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    m_pStart = new QPushButton(QStringLiteral("Avvio"), this);
    m_pStart->setEnabled(false);
    m_pCancel = new QPushButton(QStringLiteral("Annulla"), this);

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel(QStringLiteral("Nome file"), this));
    file->addWidget(m_pFile, 1);
    file->addWidget(m_pBrowse);

    auto* moves = new QVBoxLayout;
    moves->addWidget(m_pUp);
    moves->addWidget(m_pDown);
    moves->addStretch();
    auto* fields = new QHBoxLayout;
    fields->addWidget(m_pFields, 1);
    fields->addLayout(moves);
    auto* fieldBox = new QGroupBox(QStringLiteral("Campi importabili"), this);
    fieldBox->setLayout(fields);

    auto* options = new QVBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("Lingua da importare"), this));
    options->addWidget(m_pLanguage);
    auto* separator = new QHBoxLayout;
    separator->addWidget(new QLabel(QStringLiteral("Separatore"), this));
    separator->addWidget(m_pSeparator);
    separator->addStretch();
    options->addLayout(separator);
    options->addWidget(m_pObsolete);
    options->addWidget(m_pDelete);
    options->addWidget(m_pDeactivate);
    options->addWidget(m_pCategoryIds);
    options->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(fieldBox, 1);
    middle->addLayout(options);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pStatus, 1);
    buttons->addWidget(m_pStart);
    buttons->addWidget(m_pCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addLayout(middle);
    layout->addWidget(m_pPreview, 1);
    layout->addWidget(m_pBar);
    layout->addLayout(buttons);
    resize(760, 620);

    connect(m_pBrowse, &QPushButton::clicked, this, &CImportDatiDlg::OnBrowse);
    connect(m_pFile, &QLineEdit::editingFinished, this, [this] { SetFile(m_pFile->text()); });
    connect(m_pFields, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { OnFieldChanged(m_pFields->row(item)); });
    connect(m_pFields, &QListWidget::currentRowChanged, this, &CImportDatiDlg::OnSelectionChanged);
    connect(m_pUp, &QToolButton::clicked, this, [this] { OnMove(-1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { OnMove(+1); });
    connect(m_pObsolete, &QCheckBox::toggled, this, &CImportDatiDlg::OnObsolete);
    connect(m_pDelete, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_settings.m_obsolete = CImportDati::Obsolete::Delete;
    });
    connect(m_pDeactivate, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_settings.m_obsolete = CImportDati::Obsolete::Deactivate;
    });
    connect(m_pSeparator, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_settings.m_strSeparator = text;
        if (!m_settings.m_strFile.isEmpty() && !text.isEmpty())
            RefreshPreview();
    });
    connect(m_pCategoryIds, &QPushButton::clicked, this, &CImportDatiDlg::OnShowCategoryIds);
    connect(m_pStart, &QPushButton::clicked, this, &CImportDatiDlg::OnAvvio);
    connect(m_pCancel, &QPushButton::clicked, this, &CImportDatiDlg::reject);
}

void CImportDatiDlg::LoadLanguages(const QString&)
{
    qint32 defaultId = 0;
    CConfigurazioneSet configuration(&m_db);
    configuration.Open();
    if (!configuration.IsEOF())
        defaultId = configuration.m_LinguaPredefinita;
    configuration.Close();
    CLingueSet languages(&m_db);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext()) {
        m_pLanguage->addItem(languages.m_Descrizione, languages.m_ID);
        m_pLanguage->setItemData(m_pLanguage->count() - 1, languages.m_Codice, kCodeRole);
        if (languages.m_ID == defaultId)
            m_pLanguage->setCurrentIndex(m_pLanguage->count() - 1);
    }
    languages.Close();
}

void CImportDatiDlg::FillFieldList()
{
    m_bFilling = true;
    m_pFields->clear();
    for (int i = 0; i < m_settings.Entries().size(); ++i) {
        auto* item = new QListWidgetItem(m_settings.Text(i), m_pFields);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_settings.Entries().at(i).bTicked ? Qt::Checked : Qt::Unchecked);
    }
    m_pFields->setCurrentRow(m_settings.Selected());
    m_bFilling = false;
}

void CImportDatiDlg::OnFieldChanged(int row)
{
    if (m_bFilling || row < 0)
        return;
    const bool ticked = m_pFields->item(row)->checkState() == Qt::Checked;
    const QString refusal = m_settings.SetTicked(row, ticked);
    if (!refusal.isEmpty()) {
        m_bFilling = true;
        m_pFields->item(row)->setCheckState(Qt::Checked);
        m_bFilling = false;
        CMessageBox::Show(this, refusal, kSelezione, CMessageBox::Stop);
    }
    RefreshPreview();
}

void CImportDatiDlg::OnSelectionChanged(int row)
{
    if (m_bFilling)
        return;
    m_settings.Select(row);
    UpdateMoveButtons();
}

void CImportDatiDlg::OnMove(int direction)
{
    if (direction < 0)
        m_settings.MoveUp();
    else
        m_settings.MoveDown();
    FillFieldList();
    UpdateMoveButtons();
    RefreshPreview();
}

void CImportDatiDlg::UpdateMoveButtons()
{
    m_pUp->setEnabled(m_settings.CanMoveUp());
    m_pDown->setEnabled(m_settings.CanMoveDown());
}

void CImportDatiDlg::OnObsolete(bool on)
{
    m_pDelete->setEnabled(on);
    m_pDeactivate->setEnabled(on);
    if (on) {
        m_pDelete->setChecked(true);
        m_settings.m_obsolete = CImportDati::Obsolete::Delete;
        return;
    }
    m_pDelete->group()->setExclusive(false);
    m_pDelete->setChecked(false);
    m_pDeactivate->setChecked(false);
    m_pDelete->group()->setExclusive(true);
    m_settings.m_obsolete = CImportDati::Obsolete::Keep;
}

void CImportDatiDlg::OnBrowse()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Files testo (*.txt);;Tutti i files (*)"));
    SetFile(path);
}

void CImportDatiDlg::SetFile(const QString& path)
{
    m_pFile->setText(path);
    m_settings.m_strFile = path;
    RefreshPreview();
}

void CImportDatiDlg::RefreshPreview()
{
    const QVector<ImportField> columns = m_settings.Columns();
    m_pPreview->DeleteAllRows();
    m_pPreview->SetFixedFirstRow(false);
    m_pPreview->DeleteAllRows();
    m_pPreview->SetColumnCount(columns.size());
    QString header;
    for (int i = 0; i < columns.size(); ++i) {
        const CImportDatiParser::FieldInfo& info = CImportDatiParser::Info(columns.at(i));
        m_pPreview->SetColumn(i, info.nColumnWidth, info.bCheckColumn ? GridCell::Check : GridCell::TextKind);
        header += info.strColumnTitle + QLatin1Char('\t');
    }
    m_pPreview->AddRow(header);
    m_pPreview->SetFixedFirstRow(true);

    const CImportDatiSettings::Preview preview = m_settings.ReadPreview();
    for (const ImportDatiRecord& record : preview.rows) {
        const int row = m_pPreview->AddRow(QString(columns.size(), QLatin1Char('\t')));
        for (int i = 0; i < columns.size(); ++i) {
            int check = -1;
            const QString text = CellText(columns.at(i), record, &check);
            if (check >= 0)
                m_pPreview->SetCellCheck(row, i, check);
            else
                m_pPreview->SetCellText(row, i, text);
        }
    }
    if (!preview.strMessage.isEmpty())
        CMessageBox::Show(this, preview.strMessage, kSelezione, CMessageBox::Stop);
    if (preview.bRead)
        m_pStart->setEnabled(m_settings.IsStartEnabled());
}

// For reference while the file is prepared: every category with its ID.
void CImportDatiDlg::OnShowCategoryIds()
{
    CIDCategorieDlg dialog(m_db, m_strCurrentLanguage, m_strDefaultLanguage, this);
    dialog.exec();
}

void CImportDatiDlg::OnAvvio()
{
    const QString code = m_pLanguage->currentData(kCodeRole).toString();
    if (code.isEmpty()) {
        CMessageBox::Show(this, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                          CMessageBox::Stop);
        m_pLanguage->setFocus();
        return;
    }
    m_pStart->setEnabled(false);
    // The choices are the run's now; only "Annulla" stays.
    for (QWidget* choice : std::initializer_list<QWidget*>{m_pFile, m_pBrowse, m_pLanguage, m_pFields, m_pUp, m_pDown,
                                                           m_pObsolete, m_pDelete, m_pDeactivate, m_pSeparator,
                                                           m_pCategoryIds})
        choice->setEnabled(false);
    m_pJob = std::make_unique<CImportDati>(m_db, m_strProjectFolder, m_settings.RunSettings(code), *this);
    if (!m_jobs.Start(*m_pJob))
        OnJobEnd(CCatalogueJob::Failed);
}

// The outcome is said from the job's counts: a run that skipped lines says
// how many, and that the obsolete products were left alone.
void CImportDatiDlg::OnJobEnd(CCatalogueJob::Result result)
{
    const std::unique_ptr<CImportDati> job = std::move(m_pJob);
    if (result == CCatalogueJob::Done) {
        QString text = QStringLiteral("Operazione effettuata con successo.");
        const bool partial = job->SkippedLines() > 0;
        if (partial)
            text += QStringLiteral("\n%1 linee su %2 non sono state importate.").arg(job->SkippedLines()).arg(job->LineCount());
        if (job->ObsoleteLeftAlone())
            text += QStringLiteral("\nI prodotti obsoleti non sono stati modificati: il file non li elenca tutti.");
        CMessageBox::Show(this, text, kImport, partial ? CMessageBox::Exclamation : CMessageBox::Information);
        QDialog::accept();
        return;
    }
    QString text = QStringLiteral("Operazione non completata.\nATTENZIONE: l'archivio è stato ripristinato allo stato precedente.");
    // A failure is named, unless it was the line already shown.
    if (result == CCatalogueJob::Failed && !job->StoppedAtBadLine() && !job->Error().isEmpty())
        text = job->Error() + QStringLiteral("\n") + text;
    CMessageBox::Show(this, text, kImport, CMessageBox::Exclamation);
    QDialog::reject();
}

// During a run "Annulla", Escape and closing the window only ask the run
// to stop; it is heard before the next line.
void CImportDatiDlg::reject()
{
    if (m_jobs.IsRunning()) {
        m_jobs.Cancel();
        return;
    }
    QDialog::reject();
}

void CImportDatiDlg::SetLabel(const QString& text)
{
    m_pStatus->setText(text);
}

void CImportDatiDlg::SetTotal(int total)
{
    m_pBar->setRange(0, qMax(total, 0));
    m_pBar->setValue(0);
}

void CImportDatiDlg::SetDone(int done)
{
    m_pBar->setValue(done);
}

// Asked on the dialog's thread while the job waits; a cancel answers no.
bool CImportDatiDlg::GoOnAfterBadLine(const QString& message)
{
    return m_jobs.Runner()
        .Ask([this, message] {
            return QVariant(CMessageBox::Show(this, message + QStringLiteral("\nSaltare la linea e continuare l'import?"),
                                              kImport, CMessageBox::Stop, QMessageBox::Yes | QMessageBox::No)
                            == QMessageBox::Yes);
        })
        .toBool();
}
