#include "MainTableList.h"

#include "MainTableDelegate.h"
#include "MainTableModel.h"
#include "MainTableRow.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QMouseEvent>
#include <QScrollBar>

MainTableList::MainTableList(MainTableModel &model, QWidget *parent)
    : QListView(parent)
    , m_model(model)
    , m_delegate(new MainTableDelegate(model, this)) {
    setObjectName(QStringLiteral("MainTableList"));
    setModel(&model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setSingleStep(MainTableRow::itemHeight / 2);
    setSpacing(0);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAutoFillBackground(true);
    AppLook::setScrollAreaFill(this, PaletteColor::cardBackground);
}

QRect MainTableList::itemRect(int row) const {
    return visualRect(m_model.index(row));
}

std::optional<QUrl> MainTableList::linkAt(const QPoint &position) const {
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return std::nullopt;
    const std::optional<MainTableRow> row = m_delegate->rowAt(index.row());
    if (!row || !row->prospectusHitRect(visualRect(index)).contains(position))
        return std::nullopt;
    return row->prospectusLink();
}

bool MainTableList::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::Resize)
        emit rowWidthChanged(viewport()->width());
    return QListView::viewportEvent(event);
}

void MainTableList::mousePressEvent(QMouseEvent *event) {
    m_pressedRow =
        event->button() == Qt::LeftButton ? indexAt(event->position().toPoint()).row() : -1;
    event->accept();
}

void MainTableList::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    const QPoint position = event->position().toPoint();
    const int row = indexAt(position).row();
    const bool click = event->button() == Qt::LeftButton && row >= 0 && row == m_pressedRow;
    m_pressedRow = -1;
    if (!click)
        return;
    if (const std::optional<QUrl> link = linkAt(position)) {
        emit prospectusClicked(*link);
        return;
    }
    if (const IPORecord *record = m_model.recordAt(row))
        emit rowClicked(record->ipo.code);
}

void MainTableList::mouseMoveEvent(QMouseEvent *event) {
    if (linkAt(event->position().toPoint()))
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
    event->accept();
}

void MainTableList::mouseDoubleClickEvent(QMouseEvent *event) {
    // A double click is two clicks: the second press starts a click of its own.
    mousePressEvent(event);
}

void MainTableList::leaveEvent(QEvent *event) {
    viewport()->unsetCursor();
    QListView::leaveEvent(event);
}
