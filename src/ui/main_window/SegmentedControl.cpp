#include "SegmentedControl.h"

#include "ui/look/AccessibleParts.h"
#include "ui/look/FocusRing.h"
#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int trackInset = 2;
constexpr qreal trackRadius = 7;
constexpr qreal thumbRadius = 5.5;

QFont labelFont(bool selected) {
    return ViewStyle::font(12, selected ? QFont::Medium : QFont::Normal);
}

// A screen reader meets the control as a tab list whose tabs are the segments.
QAccessibleInterface *accessibleSegments(const QString &, QObject *object) {
    auto *control = qobject_cast<SegmentedControl *>(object);
    if (!control)
        return nullptr;
    return new AccessibleParts(control, QAccessible::PageTabList,
                               {QAccessible::PageTab, [control] { return control->labels(); },
                                [control](int index) { return control->segmentRect(index); },
                                [control] { return control->currentIndex(); },
                                [control](int index) {
                                    control->activateSegment(index);
                                }});
}

} // namespace

SegmentedControl::SegmentedControl(QStringList labels, QWidget *parent)
    : QWidget(parent)
    , m_labels(std::move(labels))
    , m_focusRing(new FocusRing(this)) {
    setFixedHeight(controlHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    static const bool accessible = (QAccessible::installFactory(accessibleSegments), true);
    Q_UNUSED(accessible);
}

void SegmentedControl::setCurrentIndex(int index) {
    if (index < 0 || index >= m_labels.size() || index == m_current)
        return;
    m_current = index;
    update();
    AccessibleParts::announceSelection(this, index);
}

void SegmentedControl::activateSegment(int index) {
    pick(index);
}

QRect SegmentedControl::segmentRect(int index) const {
    if (m_labels.isEmpty() || index < 0 || index >= m_labels.size())
        return {};
    const QRect track = rect().adjusted(trackInset, trackInset, -trackInset, -trackInset);
    const int count = static_cast<int>(m_labels.size());
    const int left = track.left() + track.width() * index / count;
    const int right = track.left() + track.width() * (index + 1) / count;
    return QRect(left, track.top(), right - left, track.height());
}

QSize SegmentedControl::sizeHint() const {
    const QFontMetrics metrics(labelFont(true));
    int widest = 0;
    for (const QString &label : m_labels)
        widest = qMax(widest, metrics.horizontalAdvance(label));
    return QSize((widest + 24) * static_cast<int>(qMax<qsizetype>(1, m_labels.size())) +
                     2 * trackInset,
                 controlHeight);
}

QSize SegmentedControl::minimumSizeHint() const {
    return QSize(40 * static_cast<int>(qMax<qsizetype>(1, m_labels.size())), controlHeight);
}

void SegmentedControl::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.setBrush(ViewStyle::color(PaletteColor::controlFill));
    painter.drawRoundedRect(track, trackRadius, trackRadius);

    const QColor divider = ViewStyle::color(PaletteColor::borderColor);
    for (int i = 0; i < m_labels.size(); ++i) {
        const QRect segment = segmentRect(i);
        const bool selected = i == m_current;
        // Separators only between two unselected segments, as the raised thumb has its own edge.
        if (i > 0 && i != m_current && i - 1 != m_current) {
            painter.fillRect(
                QRectF(segment.left() - 0.5, segment.top() + 6, 1, segment.height() - 12), divider);
        }
        if (selected) {
            ViewStyle::fillRoundedWithShadow(painter, QRectF(segment), thumbRadius,
                                             ViewStyle::color(PaletteColor::glassFillStrong), 0.08,
                                             1.5, 0.5);
            painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(segment).adjusted(0.5, 0.5, -0.5, -0.5), thumbRadius,
                                    thumbRadius);
        }
        painter.setFont(labelFont(selected));
        painter.setPen(
            ViewStyle::color(selected ? PaletteColor::textPrimary : PaletteColor::textSecondary));
        const QFontMetrics metrics(painter.font());
        painter.drawText(segment, Qt::AlignCenter,
                         metrics.elidedText(m_labels[i], Qt::ElideRight, segment.width() - 8));
    }
    if (m_focusRing->isShown())
        FocusRing::paint(painter, QRectF(rect()).adjusted(1, 1, -1, -1), trackRadius);
}

int SegmentedControl::segmentAt(const QPoint &position) const {
    for (int i = 0; i < m_labels.size(); ++i) {
        if (segmentRect(i).contains(position))
            return i;
    }
    return -1;
}

void SegmentedControl::pick(int index) {
    if (index < 0 || index >= m_labels.size() || index == m_current)
        return;
    m_current = index;
    update();
    AccessibleParts::announceSelection(this, index);
    emit activated(index);
}

void SegmentedControl::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton ? segmentAt(event->position().toPoint()) : -1;
    event->accept();
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent *event) {
    const int released = segmentAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && released >= 0 && released == m_pressed)
        pick(released);
    m_pressed = -1;
    event->accept();
}

void SegmentedControl::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Left:
        pick(m_current - 1);
        break;
    case Qt::Key_Right:
        pick(m_current + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
