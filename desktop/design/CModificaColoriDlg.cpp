#include "desktop/design/CModificaColoriDlg.h"

#include "desktop/design/CColourPreview.h"
#include "desktop/shell/controls/CColorListBox.h"
#include "desktop/shell/controls/CColorSwatch.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The picking button's picture: a dropper over a drop of colour.
QIcon PickIcon()
{
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(5, 15, 14, 6);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(15, 5), 3, 3);
    painter.setBrush(QColor(200, 30, 30));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(4, 16), 3, 3);
    return QIcon(picture);
}

} // namespace

CModificaColoriDlg::CModificaColoriDlg(CDaoDatabase& graphic, const QString& projectFolder, QWidget* parent)
    : QDialog(parent), m_core(graphic, projectFolder)
{
    setWindowTitle(QStringLiteral("Modifica colori"));
    m_chooseColour = [this](const QColor& initial) { return QColorDialog::getColor(initial, this); };
    BuildControls();

    m_cambia->setEnabled(false);
    m_core.Open();
    FillColours();
    m_images->hide();
    m_zoom->setEnabled(false);
    m_pick->setEnabled(false);
}

CModificaColoriDlg::~CModificaColoriDlg() = default;

void CModificaColoriDlg::BuildControls()
{
    auto* stili = new QRadioButton(QStringLiteral("Stili"));
    stili->setObjectName(QStringLiteral("stili"));
    auto* immagini = new QRadioButton(QStringLiteral("Immagini"));
    immagini->setObjectName(QStringLiteral("immagini"));
    stili->setChecked(true);
    m_mode = new QButtonGroup(this);
    m_mode->addButton(stili, CModificaColoriCore::Stili);
    m_mode->addButton(immagini, CModificaColoriCore::Immagini);
    connect(m_mode, &QButtonGroup::idClicked, this, &CModificaColoriDlg::OnModeChosen);

    m_colours = new CColorListBox;
    m_colours->setObjectName(QStringLiteral("colours"));
    connect(m_colours, &QListWidget::currentRowChanged, this, &CModificaColoriDlg::OnColourSelected);
    m_images = new QListWidget;
    m_images->setObjectName(QStringLiteral("images"));
    connect(m_images, &QListWidget::currentRowChanged, this, &CModificaColoriDlg::OnImageSelected);
    auto* lists = new QVBoxLayout;
    auto* modes = new QHBoxLayout;
    modes->addWidget(stili);
    modes->addWidget(immagini);
    modes->addStretch();
    lists->addLayout(modes);
    lists->addWidget(m_colours);
    lists->addWidget(m_images);

    auto* frame = new QGroupBox(QStringLiteral("Anteprima immagine"));
    m_preview = new CColourPreview;
    m_preview->setObjectName(QStringLiteral("preview"));
    connect(m_preview, &CColourPreview::Hovered, this, &CModificaColoriDlg::OnPreviewHovered);
    connect(m_preview, &CColourPreview::Released, this, &CModificaColoriDlg::OnPreviewReleased);
    m_zoom = new QSlider(Qt::Vertical);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setRange(100, 100);
    m_zoom->setInvertedAppearance(true);
    connect(m_zoom, &QSlider::sliderReleased, this, [this] { SetZoom(m_zoom->value()); });
    connect(m_zoom, &QSlider::valueChanged, this, [this](int value) {
        if (!m_zoom->isSliderDown())
            SetZoom(value);
    });
    m_zoomText = new QLabel(QStringLiteral("100%"));
    m_zoomText->setObjectName(QStringLiteral("zoomText"));
    auto* zoom = new QVBoxLayout;
    zoom->addWidget(m_zoom, 1, Qt::AlignHCenter);
    zoom->addWidget(m_zoomText, 0, Qt::AlignHCenter);
    auto* preview = new QHBoxLayout(frame);
    preview->addWidget(m_preview, 1);
    preview->addLayout(zoom);

    auto* top = new QHBoxLayout;
    top->addLayout(lists, 2);
    top->addWidget(frame, 3);

    m_colourText = new QLabel;
    m_colourText->setObjectName(QStringLiteral("colourText"));
    m_colourText->setMinimumWidth(90);
    m_swatch = new CColorSwatch;
    m_swatch->setObjectName(QStringLiteral("swatch"));
    m_swatch->setFixedSize(48, 22);
    m_pick = new QToolButton;
    m_pick->setObjectName(QStringLiteral("pick"));
    m_pick->setIcon(PickIcon());
    m_pick->setCheckable(true);
    m_pick->setToolTip(QStringLiteral("Preleva un colore dall'immagine"));
    connect(m_pick, &QToolButton::toggled, this, &CModificaColoriDlg::OnPickToggled);
    m_cambia = new QPushButton(QStringLiteral("Cambia"));
    m_cambia->setObjectName(QStringLiteral("cambia"));
    connect(m_cambia, &QPushButton::clicked, this, &CModificaColoriDlg::OnCambia);
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"));
    chiudi->setObjectName(QStringLiteral("chiudi"));
    chiudi->setDefault(true);
    connect(chiudi, &QPushButton::clicked, this, &CModificaColoriDlg::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_colourText);
    bottom->addWidget(m_swatch);
    bottom->addWidget(m_pick);
    bottom->addWidget(m_cambia);
    bottom->addStretch();
    bottom->addWidget(chiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(640, 400);
}

void CModificaColoriDlg::FillColours()
{
    const QSignalBlocker quiet(m_colours);
    m_colours->clear();
    for (const CStyleColourEntry& entry : m_core.Styles().Entries())
        m_colours->AddColor(CStyleColours::EntryText(entry.colour), entry.colour);
    if (m_colours->count() > 0) {
        m_colours->setCurrentRow(0);
        ShowColour(m_colours->GetItemColor(0));
    } else {
        ClearColour();
    }
    m_cambia->setEnabled(m_colours->count() > 0);
}

void CModificaColoriDlg::ShowColour(const QColor& colour)
{
    m_colourText->setText(CStyleColours::RgbText(colour));
    m_swatch->SetColor(colour);
}

void CModificaColoriDlg::ClearColour()
{
    m_colourText->clear();
    m_swatch->SetNoColor();
}

void CModificaColoriDlg::OnModeChosen(int mode)
{
    if (mode == m_core.GetMode())
        return;
    m_pick->setChecked(false);
    if (mode == CModificaColoriCore::Immagini) {
        m_core.SelectImages();
        m_colours->hide();
        m_images->show();
        m_pick->setEnabled(true);
        {
            const QSignalBlocker quiet(m_images);
            m_images->clear();
            m_images->addItems(m_core.ImageNames());
            if (m_images->count() > 0)
                m_images->setCurrentRow(0);
        }
        ShowImage();
    } else {
        m_core.SelectStyles();
        m_images->hide();
        m_colours->show();
        m_pick->setEnabled(false);
        FillColours();
        ShowImage();
    }
}

void CModificaColoriDlg::OnColourSelected(int row)
{
    if (row >= 0)
        ShowColour(m_colours->GetItemColor(row));
}

void CModificaColoriDlg::OnImageSelected(int row)
{
    m_core.SelectImage(row);
    ShowImage();
}

// The image loaded now, at 100% and with the zoom it allows; no colour
// picked from it yet.
void CModificaColoriDlg::ShowImage()
{
    const CImageColours& images = m_core.Images();
    const int largest = images.IsLoaded() ? CImageColours::MaxZoom(m_preview->size(), images.Image().size()) : 0;
    {
        const QSignalBlocker quiet(m_zoom);
        m_zoom->setEnabled(largest >= 100);
        m_zoom->setRange(100, std::max(largest, 100));
        m_zoom->setValue(100);
    }
    SetZoom(100);
    ClearColour();
    m_picked = QColor();
    m_cambia->setEnabled(m_core.GetMode() == CModificaColoriCore::Stili && m_colours->count() > 0);
}

void CModificaColoriDlg::SetZoom(int zoom)
{
    m_nZoom = zoom;
    m_zoomText->setText(QStringLiteral("%1%").arg(zoom));
    m_preview->SetImage(m_core.Images().Shown(zoom));
}

void CModificaColoriDlg::OnPickToggled(bool picking)
{
    m_bPicking = picking;
    m_preview->SetPicking(picking);
}

void CModificaColoriDlg::OnPreviewHovered(const QPoint& point)
{
    if (!m_bPicking)
        return;
    if (const auto colour = m_core.Images().ColourAt(point, m_nZoom))
        ShowColour(*colour);
}

void CModificaColoriDlg::OnPreviewReleased(const QPoint& point)
{
    if (!m_bPicking)
        return;
    OnPreviewHovered(point);
    if (!m_swatch->HasColor())
        return;
    m_picked = m_swatch->GetColor();
    m_pick->setChecked(false);
    m_cambia->setEnabled(true);
}

void CModificaColoriDlg::OnCambia()
{
    const QColor chosen = m_chooseColour(m_swatch->HasColor() ? m_swatch->GetColor() : QColor(Qt::white));
    if (!chosen.isValid())
        return;
    ShowColour(chosen);
    if (m_core.GetMode() == CModificaColoriCore::Immagini) {
        m_core.ChangeImage(m_picked, chosen);
        // The pixels now wear the new colour: a second "Cambia" goes on
        // recolouring them.
        m_picked = chosen;
        m_preview->SetImage(m_core.Images().Shown(m_nZoom));
    } else {
        const int row = m_colours->currentRow();
        if (row < 0)
            return;
        m_core.ChangeEntry(row, chosen);
        m_colours->SetItemText(row, CStyleColours::EntryText(chosen));
        m_colours->SetItemColor(row, chosen);
        m_colours->viewport()->update();
    }
}

void CModificaColoriDlg::accept()
{
    if (m_core.Close())
        QDialog::accept();
}
