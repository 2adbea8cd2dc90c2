#include "desktop/orders/COTPSellaView.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

COTPSellaView::COTPSellaView(CDaoDatabase& db, QWidget* parent)
    : QWidget(parent), m_core(db), m_pRichiesteFile(new QLineEdit(this)), m_pRisposteFile(new QLineEdit(this)),
      m_pRichieste(new QLineEdit(this)), m_pRisposte(new QLineEdit(this)), m_pStatus(new QLabel(this)),
      m_pWarning(new QLabel(this)), m_pProgress(new QProgressBar(this)),
      m_pAvvio(new QPushButton(QStringLiteral("Avvio"), this))
{
    for (QLineEdit* edit : {m_pRichiesteFile, m_pRisposteFile, m_pRichieste, m_pRisposte})
        edit->setReadOnly(true);
    auto* browseRequests = new QPushButton(QStringLiteral("Sfoglia"), this);
    auto* browseAnswers = new QPushButton(QStringLiteral("Sfoglia"), this);
    auto* counts = new QGroupBox(QStringLiteral("Numero password in archivio"), this);
    auto* countsLayout = new QGridLayout(counts);
    countsLayout->addWidget(new QLabel(QStringLiteral("Richieste"), counts), 0, 0);
    countsLayout->addWidget(m_pRichieste, 0, 1);
    countsLayout->addWidget(new QLabel(QStringLiteral("Risposte"), counts), 1, 0);
    countsLayout->addWidget(m_pRisposte, 1, 1);
    m_pWarning->setStyleSheet(QStringLiteral("color: #b00000"));
    m_pWarning->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("File richieste"), this), 0, 0);
    layout->addWidget(m_pRichiesteFile, 0, 1);
    layout->addWidget(browseRequests, 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("File risposte"), this), 1, 0);
    layout->addWidget(m_pRisposteFile, 1, 1);
    layout->addWidget(browseAnswers, 1, 2);
    layout->addWidget(counts, 2, 0, 1, 3);
    layout->addWidget(m_pWarning, 3, 0, 1, 3);
    layout->addWidget(m_pStatus, 4, 0, 1, 3);
    layout->addWidget(m_pProgress, 5, 0, 1, 2);
    layout->addWidget(m_pAvvio, 5, 2);

    m_chooseFile = [this](const QString& extension, const QString& filter) {
        (void)extension;
        return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
    };
    m_core.m_progress = [this](const QString& status, int done, int total) {
        m_pStatus->setText(status);
        m_pProgress->setRange(0, qMax(total, 1));
        m_pProgress->setValue(done);
    };
    connect(browseRequests, &QPushButton::clicked, this, &COTPSellaView::ChooseRequests);
    connect(browseAnswers, &QPushButton::clicked, this, &COTPSellaView::ChooseAnswers);
    connect(m_pAvvio, &QPushButton::clicked, this, &COTPSellaView::Start);
    m_pAvvio->setEnabled(false);
    ShowCounts();
    resize(520, 300);
}

void COTPSellaView::ShowCounts()
{
    m_pRichieste->setText(QString::number(m_core.Richieste()));
    m_pRisposte->setText(QString::number(m_core.Risposte()));
    m_pWarning->setText(m_core.Warning());
}

void COTPSellaView::ChooseRequests()
{
    const QString path = m_chooseFile(QStringLiteral("ric"), QStringLiteral("Files OTP Richieste (*.ric)"));
    if (path.isEmpty())
        return;
    m_pRichiesteFile->setText(path);
    m_pAvvio->setEnabled(true);
}

void COTPSellaView::ChooseAnswers()
{
    const QString path = m_chooseFile(QStringLiteral("ris"), QStringLiteral("Files OTP Risposte (*.ris)"));
    if (path.isEmpty())
        return;
    m_pRisposteFile->setText(path);
    m_pAvvio->setEnabled(true);
}

void COTPSellaView::Start()
{
    const QString requests = m_pRichiesteFile->text();
    const QString answers = m_pRisposteFile->text();
    // The paths are cleared whatever happens: the same files are loaded
    // again only when chosen again.
    m_pRichiesteFile->clear();
    m_pRisposteFile->clear();
    m_pAvvio->setEnabled(false);
    m_core.Load(requests, answers);
    m_pStatus->clear();
    m_pProgress->setValue(0);
    ShowCounts();
}
