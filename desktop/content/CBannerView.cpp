#include "desktop/content/CBannerView.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/content/CTipoBannerDlg.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoException.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>

namespace {

const CIconButtons::Look kButtons[CBannerView::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Inserisci banner"},
    {QStyle::SP_DialogSaveButton, "Salva banner"},
    {QStyle::SP_TrashIcon, "Cancella banner"},
    {QStyle::SP_DirOpenIcon, "Scegli il file del banner"},
};

struct FieldLook
{
    const char* label;
    quint8 kind;
    int width;
};

const FieldLook kFields[CBannerView::FieldCount] = {
    {"Codice", CValueFormat::Text, CBannerViewCore::kCodeLength},
    {"Link", CValueFormat::Text, CBannerViewCore::kLinkLength},
    {"Dalla data", CValueFormat::Date, 8},
    {"Alla data", CValueFormat::Date, 8},
    {"Comparse previste", CValueFormat::Integer, 6},
    {"Comparse effettive", CValueFormat::Integer, 6},
};

QDate DateIn(const CValidatedEdit* edit)
{
    if (edit->text().trimmed().isEmpty())
        return QDate();
    QDateTime value;
    edit->GetValue(value);
    return value.date();
}

} // namespace

CBannerView::CBannerView(CDaoDatabase& db, const QString& projectFolder, QWidget* parent)
    : QWidget(parent), m_db(db), m_core(db, projectFolder)
{
    auto* form = new QFormLayout;
    for (int i = 0; i < FieldCount; ++i) {
        m_edits[i] = new CValidatedEdit(this);
        m_edits[i]->SetParam(kFields[i].kind, kFields[i].width, 0, 0);
        if (i == Link) {
            m_pTipo = new QComboBox(this);
            auto* types = new QToolButton(this);
            types->setText(QStringLiteral("..."));
            connect(types, &QToolButton::clicked, this, [this] {
                if (m_editTypes)
                    m_editTypes(m_db);
                m_core.ReadTypes();
                ShowTypes();
            });
            auto* row = new QHBoxLayout;
            row->addWidget(m_pTipo, 1);
            row->addWidget(types);
            form->addRow(QStringLiteral("Tipo"), row);
        }
        form->addRow(QString::fromUtf8(kFields[i].label), m_edits[i]);
    }
    m_edits[ComparseEffettive]->setReadOnly(true);
    m_pEsterno = new QCheckBox(QStringLiteral("Esterno"), this);
    form->addRow(QString(), m_pEsterno);
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { OnButton(i); });
    form->addRow(QString(), buttons);
    m_pShowPreview = new QCheckBox(QStringLiteral("Visualizza anteprima banner"), this);
    m_pShowPreview->setChecked(true);
    form->addRow(QString(), m_pShowPreview);
    m_pPreview = new QLabel(this);
    m_pPreview->setAlignment(Qt::AlignCenter);
    m_pPreview->setMinimumSize(200, 80);

    m_pList = new QListWidget(this);
    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(m_pPreview, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(right, 2);

    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("Files Gif (*.gif);;Files Jpeg (*.jpg);;Files Flash (*.swf)"));
    };
    connect(m_pList, &QListWidget::itemClicked, this, &CBannerView::OnBannerClicked);
    connect(m_pShowPreview, &QCheckBox::toggled, this, &CBannerView::ShowPreview);
    m_editTypes = [this](CDaoDatabase& database) { CTipoBannerDlg(database, this).exec(); };
    ShowTypes();
    ShowBanners();
    Push(m_core.GetForm());
    ShowControls();
}

CBannerViewCore::Form CBannerView::Pull() const
{
    CBannerViewCore::Form form;
    m_edits[Codice]->GetValue(form.strCodice);
    m_edits[Link]->GetValue(form.strLink);
    form.nTipo = m_pTipo->currentIndex() < 0 ? -1 : m_pTipo->currentData().toInt();
    form.dallaData = DateIn(m_edits[DallaData]);
    form.allaData = DateIn(m_edits[AllaData]);
    int count = 0;
    m_edits[ComparsePreviste]->GetValue(count);
    form.nComparsePreviste = count;
    form.bEsterno = m_pEsterno->isChecked();
    return form;
}

void CBannerView::Push(const CBannerViewCore::Form& form)
{
    m_edits[Codice]->SetValue(form.strCodice);
    m_edits[Link]->SetValue(form.strLink);
    const int type = m_pTipo->findData(form.nTipo);
    if (form.nTipo < 0 || type >= 0)
        m_pTipo->setCurrentIndex(type);
    for (const auto& [field, date] : {std::pair{DallaData, form.dallaData}, std::pair{AllaData, form.allaData}}) {
        if (date.isValid())
            m_edits[field]->SetValue(QDateTime(date, QTime(0, 0)));
        else
            m_edits[field]->SetValue(QString());
    }
    m_edits[ComparsePreviste]->SetValue(form.nComparsePreviste);
    m_edits[ComparseEffettive]->SetValue(form.nComparseEffettuate);
    m_pEsterno->setChecked(form.bEsterno);
}

void CBannerView::OnButton(int button)
{
    CBannerViewCore::Refusal refusal = CBannerViewCore::Accepted;
    try {
        switch (button) {
        case AddButton: refusal = m_core.Add(Pull()); break;
        case SaveButton: refusal = m_core.Save(Pull()); break;
        case DeleteButton: m_core.Delete(); break;
        case FileButton: {
            const QString file = m_chooseFile ? m_chooseFile() : QString();
            QString error;
            if (!file.isEmpty() && !m_core.SetFile(file, &error))
                CMessageBox::Show(this, error, QStringLiteral("Banner"), CMessageBox::Stop);
            ShowPreview();
            return;
        }
        default: break;
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
        return;
    }
    if (refusal != CBannerViewCore::Accepted) {
        CMessageBox::Show(this, CBannerViewCore::RefusalText(refusal), QStringLiteral("Validazione campi"),
                          CMessageBox::Stop);
        m_edits[Codice]->setFocus();
        return;
    }
    ShowBanners();
    Push(m_core.GetForm());
    ShowControls();
    ShowPreview();
}

bool CBannerView::IsViewCommandEnabled(int id)
{
    return id == ID_CORRELAZIONI_BANNER;
}

void CBannerView::OnViewCommand(int id)
{
    if (id != ID_CORRELAZIONI_BANNER)
        return;
    if (const QString refusal = m_core.CorrelationsRefusal(); !refusal.isEmpty())
        CMessageBox::Show(this, refusal, QStringLiteral("Correlazioni banner"), CMessageBox::Stop);
    else if (m_openCorrelations)
        m_openCorrelations(m_core.Selected(), m_core.GetForm().strCodice);
}

void CBannerView::OnBannerClicked()
{
    if (const QListWidgetItem* item = m_pList->currentItem()) {
        m_core.Select(item->data(Qt::UserRole).toInt());
        Push(m_core.GetForm());
        ShowControls();
        ShowPreview();
    }
}

void CBannerView::ShowBanners()
{
    m_pList->clear();
    for (const CBannerViewCore::Entry& entry : m_core.Banners()) {
        auto* item = new QListWidgetItem(entry.strText, m_pList);
        item->setData(Qt::UserRole, entry.nId);
    }
    m_pList->setCurrentRow(-1);
}

// The entry shown stays chosen when its type is still there.
void CBannerView::ShowTypes()
{
    const QVariant shown = m_pTipo->currentData();
    m_pTipo->clear();
    for (const CBannerViewCore::Entry& type : m_core.Types())
        m_pTipo->addItem(type.strText, type.nId);
    m_pTipo->setCurrentIndex(shown.isValid() ? m_pTipo->findData(shown) : -1);
}

void CBannerView::ShowControls()
{
    const CBannerViewCore::Controls& controls = m_core.GetControls();
    m_buttons[AddButton]->setEnabled(controls.bAdd);
    m_buttons[SaveButton]->setEnabled(controls.bSave);
    m_buttons[DeleteButton]->setEnabled(controls.bDelete);
    m_buttons[FileButton]->setEnabled(controls.bFile);
}

void CBannerView::ShowPreview()
{
    m_pPreview->clear();
    const QString file = m_pShowPreview->isChecked() ? m_core.FilePath() : QString();
    if (file.endsWith(QLatin1String(".swf")))
        m_pPreview->setText(QStringLiteral("Filmato Flash: %1").arg(file));
    else if (!file.isEmpty())
        m_pPreview->setPixmap(QPixmap(file));
}
