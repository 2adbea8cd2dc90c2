#include "desktop/content/CSelezioneArticoloDlg.h"

#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

CSelezioneArticoloDlg::CSelezioneArticoloDlg(CDaoDatabase& database, qint32 section, const QString& currentLanguage,
                                             const QString& defaultLanguage, QWidget* parent)
    : QDialog(parent),
      m_core(database, defaultLanguage),
      m_pSection(new CValidatedEdit(this)),
      m_pChoose(new QToolButton(this)),
      m_pShow(new QComboBox(this)),
      m_pList(new QListWidget(this))
{
    (void)currentLanguage;   // the picker names sections and articles in the default language
    setWindowTitle(QStringLiteral("Selezione articolo risposta modulo"));
    m_pSection->SetParam(0, -1, 0, 0);
    m_pSection->SetReadOnly(1);
    m_pChoose->setText(QStringLiteral("..."));
    m_pShow->addItems(CSelezioneArticoloCore::ShowNames());
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Sezioni"), this));
    top->addWidget(m_pSection, 1);
    top->addWidget(m_pChoose);
    top->addWidget(new QLabel(QStringLiteral("Visualizza"), this));
    top->addWidget(m_pShow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pList, 1);
    layout->addWidget(buttons);
    resize(460, 360);

    m_pPopup = new CTreePopupDlg(this);
    CRecordTree::Fill(m_pPopup->Tree(), CRecordTree::Sections(database, defaultLanguage, defaultLanguage));
    m_pSection->SetValue(section > 0 ? m_core.SectionName(section) : QString());
    m_core.ChooseSection(section);
    ShowLines();

    connect(m_pChoose, &QToolButton::clicked, this, [this] { m_pPopup->ShowOver(m_pSection); });
    connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this, [this] {
        m_pSection->SetValue(m_pPopup->GetSelectedText());
        m_core.ChooseSection(m_pPopup->GetSelectedData());
        ShowLines();
    });
    connect(m_pShow, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_core.ChooseShow(index);
        ShowLines();
    });
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelezioneArticoloDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelezioneArticoloDlg::reject);
}

void CSelezioneArticoloDlg::ShowLines()
{
    m_pList->clear();
    for (const CSelezioneArticoloCore::Line& line : m_core.Lines()) {
        auto* item = new QListWidgetItem(line.strText, m_pList);
        item->setData(Qt::UserRole, line.nId);
    }
}

void CSelezioneArticoloDlg::accept()
{
    m_nChosen = m_pList->selectedItems().isEmpty() ? 0 : m_core.ArticleAt(m_pList->currentRow());
    QDialog::accept();
}
