#include "desktop/shell/controls/CGridCtrl.h"

#include "desktop/shell/controls/CGridEditBox.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    const QFontMetrics metrics(font());
    SetDefaultSizes(metrics.height() * 3 / 2, metrics.averageCharWidth() * 5);
    SetClientSize(viewport()->size());
    Editor().SetMessageParent(this);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &CGridCtrl::OnVerticalAction);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, &CGridCtrl::OnVerticalReleased);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            &CGridCtrl::OnHorizontalAction);
    ScrollBarsChanged();
}

CGridCtrl::~CGridCtrl() = default;

// ---- notifications -----------------------------------------------------------

int CGridCtrl::OnCellLeave(GridNotifyInfo& info)
{
    int result = 0;
    emit UM_GRID_CELL_LEAVE(&info, &result);
    return result;
}

void CGridCtrl::OnCellEnter(GridNotifyInfo& info)
{
    emit UM_GRID_CELL_ENTER(&info);
}

void CGridCtrl::OnCellDblClk(GridNotifyInfo& info)
{
    emit UM_GRID_CELL_DBLCLK(&info);
}

int CGridCtrl::OnPaging(PagingMessage message, int position)
{
    int result = 0;
    switch (message) {
    case MsgLineUp: emit UM_GRID_LINE_UP(&result); break;
    case MsgLineDown: emit UM_GRID_LINE_DOWN(&result); break;
    case MsgPageUp: emit UM_GRID_PAGE_UP(&result); break;
    case MsgPageDown: emit UM_GRID_PAGE_DOWN(&result); break;
    case MsgThumb: emit UM_GRID_THUMB(position, &result); break;
    }
    return result;
}

void CGridCtrl::ConnectPaging(QObject* context, const std::function<int(PagingMessage, int)>& answer)
{
    connect(this, &CGridCtrl::UM_GRID_LINE_UP, context, [answer](int* result) { *result = answer(MsgLineUp, 0); });
    connect(this, &CGridCtrl::UM_GRID_LINE_DOWN, context, [answer](int* result) { *result = answer(MsgLineDown, 0); });
    connect(this, &CGridCtrl::UM_GRID_PAGE_UP, context, [answer](int* result) { *result = answer(MsgPageUp, 0); });
    connect(this, &CGridCtrl::UM_GRID_PAGE_DOWN, context, [answer](int* result) { *result = answer(MsgPageDown, 0); });
    connect(this, &CGridCtrl::UM_GRID_THUMB, context,
            [answer](int position, int* result) { *result = answer(MsgThumb, position); });
}

// ---- editor and lists ----------------------------------------------------------

void CGridCtrl::EditorShown(int row, int col)
{
    const GridCell* cell = GetCell(row, col);
    m_editBox = new CGridEditBox(Editor(), viewport());
    const QRect rect = CellRect(row, col);
    m_editBox->setGeometry(rect.adjusted(1, 1, -1, 0));
    m_editBox->setAlignment((cell && cell->alignment == GridCell::Right ? Qt::AlignRight
                                                                        : Qt::AlignLeft)
                            | Qt::AlignVCenter);
    m_editBox->setFont(font());
    Editor().SetMessageParent(m_editBox);
    m_editBox->show();
    m_editBox->setFocus();
    m_editBox->selectAll();
}

void CGridCtrl::EditorHidden()
{
    Editor().SetMessageParent(this);
    if (m_editBox) {
        const bool hadFocus = m_editBox->hasFocus();
        m_editBox->hide();
        m_editBox->deleteLater();
        m_editBox = nullptr;
        if (hadFocus)
            setFocus();
    }
}

QComboBox* CGridCtrl::GetColumnCombo(int col)
{
    if (!HasCombo(col))
        return nullptr;
    if (m_comboBoxes.size() < GetColumnCount())
        m_comboBoxes.resize(GetColumnCount());
    QComboBox*& box = m_comboBoxes[col];
    if (!box) {
        box = new QComboBox(viewport());
        box->hide();
        connect(box, &QComboBox::currentIndexChanged, this, [this, col](int index) {
            if (!m_bSyncing)
                SetComboSel(col, index);
        });
    }
    const QStringList texts = GetComboTexts(col);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    m_bSyncing = true;
    if (shown != texts) {
        box->clear();
        box->addItems(texts);
    }
    box->setCurrentIndex(GetComboSel(col));
    m_bSyncing = false;
    return box;
}

void CGridCtrl::ComboShown(int row, int col)
{
    QComboBox* box = GetColumnCombo(col);
    if (!box)
        return;
    box->setGeometry(CellRect(row, col));
    box->show();
    box->setFocus();
}

void CGridCtrl::ComboHidden(int col)
{
    if (col < m_comboBoxes.size() && m_comboBoxes[col])
        m_comboBoxes[col]->hide();
}

// ---- painting ------------------------------------------------------------------

void CGridCtrl::CellChanged(int row, int col)
{
    viewport()->update(CellRect(row, col).adjusted(-1, -1, 1, 1));
}

void CGridCtrl::GridChanged()
{
    viewport()->update();
}

void CGridCtrl::PaintCell(QPainter& painter, int row, int col)
{
    const GridCell* cell = GetCell(row, col);
    const QRect rect = CellRect(row, col);
    if (cell->kind == GridCell::Fixed) {
        painter.fillRect(rect, palette().button());
        painter.setPen(palette().light().color());
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(palette().dark().color());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
    } else {
        painter.fillRect(rect, cell->bkColor);
        painter.setPen(GetGridLineColor());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
    }
    if (cell->kind == GridCell::Check) {
        const QRect box = CheckBoxRect(row, col);
        painter.fillRect(box, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        if (cell->check) {
            painter.drawLine(box.left() + 3, box.top() + 6, box.left() + 5, box.top() + 9);
            painter.drawLine(box.left() + 5, box.top() + 9, box.left() + 10, box.top() + 3);
        }
    } else {
        const QRect textRect = rect.adjusted(1, 1, -2, -1);
        const Qt::Alignment align = cell->alignment == GridCell::Right    ? Qt::AlignRight
                                    : cell->alignment == GridCell::Centre ? Qt::AlignHCenter
                                                                          : Qt::AlignLeft;
        painter.setPen(cell->textColor);
        painter.drawText(textRect, align | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(cell->text, Qt::ElideRight,
                                                          textRect.width()));
    }
    const bool ownEditor = cell->kind == GridCell::Edit || cell->kind == GridCell::Combo;
    if (GetDrawCurrentCell() && !ownEditor && row == GetCurRow() && col == GetCurCol()) {
        painter.setPen(GetGridLineColor());
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void CGridCtrl::PaintRange(QPainter& painter, int firstRow, int lastRow, int firstCol,
                           int lastCol, const QRect& clip)
{
    painter.save();
    painter.setClipRect(clip);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = firstCol; col <= lastCol; ++col)
            if (CellRect(row, col).intersects(clip))
                PaintCell(painter, row, col);
    painter.restore();
}

void CGridCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect all = viewport()->rect();
    painter.fillRect(all, kBackground);
    const int rows = GetRowCount();
    const int cols = GetColumnCount();
    if (rows == 0 || cols == 0)
        return;
    const int fixedW = GetFixedFirstColumn() ? GetColumnWidth(0) : 0;
    const int fixedH = GetFixedFirstRow() ? CellRect(0, 0).height() : 0;
    const int firstRow = GetFixedFirstRow() ? 1 : 0;
    const int firstCol = GetFixedFirstColumn() ? 1 : 0;
    PaintRange(painter, firstRow, rows - 1, firstCol, cols - 1,
               all.adjusted(fixedW, fixedH, 0, 0));
    if (GetFixedFirstRow())
        PaintRange(painter, 0, 0, firstCol, cols - 1, QRect(fixedW, 0, all.width(), fixedH));
    if (GetFixedFirstColumn())
        PaintRange(painter, firstRow, rows - 1, 0, 0, QRect(0, fixedH, fixedW, all.height()));
    if (GetFixedFirstRow() && GetFixedFirstColumn())
        PaintRange(painter, 0, 0, 0, 0, QRect(0, 0, fixedW, fixedH));
}

// ---- input -------------------------------------------------------------------

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!isMinimized())
        SetClientSize(viewport()->size());
}

// The press is taken so that the release and a double click come here.
void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus();
    Click(event->position().toPoint());
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        DoubleClick();
}

void CGridCtrl::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        SpaceKeyUp();
    else
        QAbstractScrollArea::keyReleaseEvent(event);
}

void CGridCtrl::scrollContentsBy(int, int)
{
    // The offsets are the core's; the bars only report requests.
    viewport()->update();
}

void CGridCtrl::OnVerticalAction(int action)
{
    if (m_bSyncing)
        return;
    QScrollBar* bar = verticalScrollBar();
    const int position = bar->sliderPosition();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: VScroll(LineUp); break;
    case QAbstractSlider::SliderSingleStepAdd: VScroll(LineDown); break;
    case QAbstractSlider::SliderPageStepSub: VScroll(PageUp); break;
    case QAbstractSlider::SliderPageStepAdd: VScroll(PageDown); break;
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum: VScroll(ThumbPosition, position); break;
    case QAbstractSlider::SliderMove:
        if (bar->isSliderDown() && IsVirtualMode())
            return; // the page is asked for when the thumb is released
        if (IsVirtualMode())
            VScroll(position < bar->value() ? LineUp : LineDown);
        else
            VScroll(ThumbTrack, position);
        break;
    default: return;
    }
    SyncBar(bar, GetVBar(), IsVirtualMode(), false);
}

void CGridCtrl::OnVerticalReleased()
{
    VScroll(ThumbPosition, verticalScrollBar()->sliderPosition());
    SyncBar(verticalScrollBar(), GetVBar(), IsVirtualMode(), false);
}

void CGridCtrl::OnHorizontalAction(int action)
{
    if (m_bSyncing)
        return;
    QScrollBar* bar = horizontalScrollBar();
    const int position = bar->sliderPosition();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: HScroll(LineUp); break;
    case QAbstractSlider::SliderSingleStepAdd: HScroll(LineDown); break;
    case QAbstractSlider::SliderPageStepSub: HScroll(PageUp); break;
    case QAbstractSlider::SliderPageStepAdd: HScroll(PageDown); break;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum: HScroll(ThumbTrack, position); break;
    default: return;
    }
    SyncBar(bar, GetHBar(), false, true);
}

void CGridCtrl::ScrollBarsChanged()
{
    SyncBar(verticalScrollBar(), GetVBar(), IsVirtualMode(), false);
    SyncBar(horizontalScrollBar(), GetHBar(), false, true);
}

// A pixel bar ends one page before the content does; a paging bar counts
// records and its last position still shows a whole page.
void CGridCtrl::SyncBar(QScrollBar* bar, const ScrollBar& state, bool pages, bool horizontal)
{
    m_bSyncing = true;
    const int last = pages ? state.max - state.page + 1 : state.max - state.page;
    bar->setRange(state.min, qMax(state.min, last));
    bar->setPageStep(qMax(1, state.page));
    bar->setSingleStep(1);
    bar->setSliderPosition(state.pos);
    bar->setValue(state.pos);
    const Qt::ScrollBarPolicy policy = state.visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontal && horizontalScrollBarPolicy() != policy)
        setHorizontalScrollBarPolicy(policy);
    if (!horizontal && verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
    m_bSyncing = false;
}
