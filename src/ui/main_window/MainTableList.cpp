#include "MainTableList.h"

#include "MainTableDelegate.h"
#include "MainTableModel.h"
#include "MainTableRow.h"
#include "RecordSearch.h"
#include "ui/look/AppLook.h"
#include "ui/look/FocusRing.h"
#include "ui/look/ViewStyle.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

MainTableList::MainTableList(MainTableModel &model, QWidget *parent)
    : QListView(parent)
    , m_model(model)
    , m_delegate(new MainTableDelegate(model, this)) {
    setObjectName(QStringLiteral("MainTableList"));
    setModel(&model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(tr("新股列表"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setSingleStep(MainTableRow::itemHeight / 2);
    setSpacing(0);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    AppLook::setScrollAreaFill(this, PaletteColor::cardBackground);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_mirroring)
            return;
        const QModelIndexList rows = selectionModel()->selectedIndexes();
        const IPORecord *record = rows.isEmpty() ? nullptr : m_model.recordAt(rows.first().row());
        emit selectionRequested(record ? record->ipo.code : QString());
    });
}

void MainTableList::showSelection(const std::optional<QString> &code) {
    m_mirroring = true;
    const int row = code ? m_model.rowOf(*code) : -1;
    if (row >= 0) {
        selectionModel()->setCurrentIndex(m_model.index(row), QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clearSelection();
        // The keyboard always has a row to start from, whenever the rows came.
        if (!currentIndex().isValid() && m_model.rowCount() > 0)
            selectionModel()->setCurrentIndex(m_model.index(0), QItemSelectionModel::NoUpdate);
    }
    m_mirroring = false;
}

QString MainTableList::currentCode() const {
    const IPORecord *record = m_model.recordAt(currentIndex().row());
    return record ? record->ipo.code : QString();
}

void MainTableList::setEmptyText(const QString &text) {
    if (text == m_emptyText)
        return;
    m_emptyText = text;
    viewport()->update();
}

void MainTableList::keyboardSearch(const QString &search) {
    if (search.isEmpty())
        return;
    // Keys typed in quick succession spell one prefix; a pause starts a new one.
    const bool continues =
        m_sinceTyped.isValid() && m_sinceTyped.elapsed() < QApplication::keyboardInputInterval();
    m_typed = continues ? m_typed + search : search;
    m_sinceTyped.start();
    const int current = currentIndex().row();
    const int from = continues ? qMax(0, current) : current + 1;
    const int row = RecordSearch::firstWithPrefix(m_model.listed(), m_typed, from);
    if (row < 0)
        return;
    const QModelIndex found = m_model.index(row);
    selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect);
    scrollTo(found);
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
    m_keyboardFocus = false;
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

void MainTableList::keyPressEvent(QKeyEvent *event) {
    m_keyboardFocus = true;
    viewport()->update();
    const QString code = currentCode();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !code.isEmpty()) {
        emit enterPressed(code);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy) && !code.isEmpty()) {
        emit copyRequested(code);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void MainTableList::focusInEvent(QFocusEvent *event) {
    const Qt::FocusReason reason = event->reason();
    m_keyboardFocus = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                      reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
    QListView::focusInEvent(event);
    viewport()->update();
}

void MainTableList::focusOutEvent(QFocusEvent *event) {
    QListView::focusOutEvent(event);
    viewport()->update();
}

void MainTableList::contextMenuEvent(QContextMenuEvent *event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    const QModelIndex index = byMouse ? indexAt(event->pos()) : currentIndex();
    const IPORecord *record = m_model.recordAt(index.row());
    if (!record)
        return;
    const QPoint position =
        byMouse ? event->globalPos()
                : viewport()->mapToGlobal(visualRect(index).bottomLeft() + QPoint(24, -8));
    emit menuRequested(record->ipo.code, position);
    event->accept();
}

void MainTableList::paintEvent(QPaintEvent *event) {
    QListView::paintEvent(event);
    QPainter painter(viewport());
    if (m_model.rowCount() == 0 && !m_emptyText.isEmpty()) {
        painter.setFont(ViewStyle::font(12));
        painter.setPen(ViewStyle::color(PaletteColor::textSecondary));
        painter.drawText(viewport()->rect().adjusted(12, 24, -12, 0),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, m_emptyText);
    }
    if (!hasFocus() || !m_keyboardFocus)
        return;
    // The keyboard's row, or the whole list while it has no rows.
    const QRect current = currentIndex().isValid() ? visualRect(currentIndex()) : QRect();
    const QRect ring = current.isValid()
                           ? current.adjusted(1, 1, -2, -MainTableRow::separatorHeight - 1)
                           : viewport()->rect().adjusted(1, 1, -2, -2);
    FocusRing::paint(painter, QRectF(ring), 3);
}
