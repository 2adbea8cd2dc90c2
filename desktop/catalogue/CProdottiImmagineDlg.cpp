#include "desktop/catalogue/CProdottiImmagineDlg.h"

#include "desktop/catalogue/CImmagine.h"
#include "desktop/shell/controls/CMessageBox.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider* MakeSlider(QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(CProdottiImmagineCore::kMinimum, CProdottiImmagineCore::kMaximum);
    slider->setTickInterval(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(CProdottiImmagineCore::kNeutral);
    return slider;
}

} // namespace

CProdottiImmagineDlg::CProdottiImmagineDlg(QImage& shown, QImage& reference, bool& imageChanged, QWidget* parent)
    : QWidget(parent), m_core(shown, reference, imageChanged)
{
    m_core.m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), CImmagine::FileFilter());
    };

    auto* source = new QGroupBox(QStringLiteral("Acquisizione"), this);
    auto* fromDisk = new QPushButton(QStringLiteral("Scegli su disco"), source);
    auto* fromScanner = new QPushButton(QStringLiteral("Acquisici da scanner"), source);
    fromScanner->setEnabled(false);
    auto* sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(fromDisk);
    sourceLayout->addWidget(fromScanner);

    auto* flips = new QGroupBox(QStringLiteral("Rotazione"), this);
    auto* mirror = new QPushButton(QStringLiteral("Flip orizzontale"), flips);
    auto* flip = new QPushButton(QStringLiteral("Flip verticale"), flips);
    auto* flipLayout = new QVBoxLayout(flips);
    flipLayout->addWidget(mirror);
    flipLayout->addWidget(flip);

    auto* tones = new QGroupBox(QStringLiteral("Regolazioni"), this);
    m_pLuminosita = MakeSlider(tones);
    m_pContrasto = MakeSlider(tones);
    auto* preview = new QPushButton(QStringLiteral("Anteprima"), tones);
    auto* apply = new QPushButton(QStringLiteral("Applica"), tones);
    auto* toneLayout = new QGridLayout(tones);
    toneLayout->addWidget(new QLabel(QStringLiteral("Luminosità"), tones), 0, 0);
    toneLayout->addWidget(m_pLuminosita, 0, 1, 1, 2);
    toneLayout->addWidget(new QLabel(QStringLiteral("Contrasto"), tones), 1, 0);
    toneLayout->addWidget(m_pContrasto, 1, 1, 1, 2);
    toneLayout->addWidget(preview, 2, 1);
    toneLayout->addWidget(apply, 2, 2);

    auto* layout = new QGridLayout(this);
    layout->addWidget(source, 0, 0);
    layout->addWidget(flips, 0, 1);
    layout->addWidget(tones, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);

    connect(mirror, &QPushButton::clicked, this, [this] { m_core.FlipOrizzontale(); });
    connect(flip, &QPushButton::clicked, this, [this] { m_core.FlipVerticale(); });
    connect(preview, &QPushButton::clicked, this, &CProdottiImmagineDlg::OnAnteprima);
    connect(apply, &QPushButton::clicked, this, &CProdottiImmagineDlg::OnApplica);
    connect(fromDisk, &QPushButton::clicked, this, &CProdottiImmagineDlg::OnScegliSuDisco);
}

void CProdottiImmagineDlg::EnterPage()
{
    m_core.EnterPage();
    ShowSliders();
}

void CProdottiImmagineDlg::LeavePage()
{
    m_core.LeavePage();
    ShowSliders();
}

void CProdottiImmagineDlg::OnAnteprima()
{
    m_core.Anteprima(m_pLuminosita->value(), m_pContrasto->value());
}

void CProdottiImmagineDlg::OnApplica()
{
    m_core.Applica();
    ShowSliders();
}

void CProdottiImmagineDlg::OnScegliSuDisco()
{
    QString error;
    if (!m_core.ScegliSuDisco(&error))
        CMessageBox::Show(this, error, QStringLiteral("Immagine prodotto"), CMessageBox::Stop);
}

void CProdottiImmagineDlg::ShowSliders()
{
    m_pLuminosita->setValue(m_core.Luminosita());
    m_pContrasto->setValue(m_core.Contrasto());
}
