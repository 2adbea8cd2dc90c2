#include "desktop/content/CChiSiamoDlg.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CChiSiamoDlg::CChiSiamoDlg(CDaoDatabase& db, const QString& projectFolder, const QString& language,
                           QWidget* parent)
    : QWidget(parent), m_core(db, projectFolder, language)
{
    auto* presentation = new QGroupBox(QStringLiteral("Presentazione aziendale"), this);
    m_pText = new QPlainTextEdit(presentation);
    (new QVBoxLayout(presentation))->addWidget(m_pText);
    auto* logo = new QGroupBox(QStringLiteral("Logo"), this);
    m_pLogo = new QLabel(logo);
    m_pLogo->setFrameShape(QFrame::Box);
    m_pLogo->setAlignment(Qt::AlignCenter);
    m_pLogo->setMinimumSize(200, 120);
    m_pChoose = new QPushButton(QStringLiteral("Seleziona logo"), logo);
    auto* logoLayout = new QVBoxLayout(logo);
    logoLayout->addWidget(m_pLogo, 1);
    logoLayout->addWidget(m_pChoose, 0, Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(presentation, 2);
    layout->addWidget(logo, 1);

    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("Tutti i formati supportati (*.bmp *.jpg *.gif);;"
                                                           "Files Bitmap (*.bmp);;Files Jpeg (*.jpg);;Files Gif (*.gif)"));
    };
    connect(m_pChoose, &QPushButton::clicked, this, &CChiSiamoDlg::ChooseLogo);
    ShowLanguage();
}

// The page goes when its tab is left or the view closes: the text typed
// goes with it only when saved here.
CChiSiamoDlg::~CChiSiamoDlg()
{
    try {
        m_core.Save(m_pText->toPlainText());
    } catch (const CDaoException& error) {
        CMessageBox::Show(nullptr, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
    }
}

bool CChiSiamoDlg::IsRecordModified()
{
    return m_core.IsModified(m_pText->toPlainText());
}

bool CChiSiamoDlg::SaveRecord()
{
    try {
        m_core.Save(m_pText->toPlainText());
        return true;
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
        return false;
    }
}

void CChiSiamoDlg::RefreshLanguage()
{
    if (!m_currentLanguage || !SaveRecord())
        return;
    m_core.Load(m_currentLanguage());
    ShowLanguage();
}

void CChiSiamoDlg::ChooseLogo()
{
    const QString file = m_chooseFile ? m_chooseFile() : QString();
    if (file.isEmpty())
        return;
    QString error;
    if (!m_core.SetLogo(file, &error))
        CMessageBox::Show(this, error, QStringLiteral("Seleziona logo"), CMessageBox::Stop);
    ShowLogo();
}

void CChiSiamoDlg::ShowLanguage()
{
    m_pText->setPlainText(m_core.StoredText());
    ShowLogo();
}

void CChiSiamoDlg::ShowLogo()
{
    const QPixmap logo(m_core.LogoPath());
    if (logo.isNull()) {
        m_pLogo->clear();
        return;
    }
    const QSize room = m_pLogo->contentsRect().size() - QSize(4, 4);
    m_pLogo->setPixmap(logo.scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void CChiSiamoDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ShowLogo();
}
