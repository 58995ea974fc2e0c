#include "DetailPanelSlot.h"

#include "RecordDetailPanel.h"

#include <QVariantAnimation>

namespace {

// The standard ease-in-out timing curve.
QEasingCurve easeInOut() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    return curve;
}

} // namespace

DetailPanelSlot::DetailPanelSlot(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("DetailPanelSlot"));
    setMinimumWidth(minimumPanelWidth);
    setMaximumWidth(maximumPanelWidth);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void DetailPanelSlot::present(RecordDetailPanel *panel) {
    RecordDetailPanel *previous = m_panel;
    m_panel = panel;
    if (previous && previous != panel)
        previous->deleteLater();
    dropLeaving();
    panel->setParent(this);
    panel->setGeometry(width(), 0, width(), height());
    panel->show();
    slide(panel, width(), 0, false);
}

void DetailPanelSlot::dismiss() {
    if (!m_panel)
        return;
    dropLeaving();
    m_leaving = m_panel;
    m_panel.clear();
    slide(m_leaving, m_leaving->x(), width(), true);
}

void DetailPanelSlot::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (m_panel) {
        const bool moving = m_animation && m_animation->state() == QAbstractAnimation::Running;
        m_panel->setGeometry(moving ? m_panel->x() : 0, 0, width(), height());
    }
    if (m_leaving)
        m_leaving->resize(width(), height());
}

void DetailPanelSlot::slide(QWidget *panel, int fromX, int toX, bool leaving) {
    if (m_animation)
        m_animation->stop();
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(fromX);
    animation->setEndValue(toX);
    animation->setDuration(moveMs);
    animation->setEasingCurve(easeInOut());
    const QPointer<QWidget> moving(panel);
    connect(animation, &QVariantAnimation::valueChanged, this, [moving](const QVariant &x) {
        if (moving)
            moving->move(x.toInt(), 0);
    });
    connect(animation, &QVariantAnimation::finished, this, [this, moving, toX, leaving] {
        if (!moving)
            return;
        moving->move(toX, 0);
        if (leaving && moving == m_leaving)
            dropLeaving();
    });
    m_animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void DetailPanelSlot::dropLeaving() {
    if (!m_leaving)
        return;
    RecordDetailPanel *leaving = m_leaving;
    m_leaving.clear();
    leaving->hide();
    // Deferred: the panel may be inside one of its own callbacks right now.
    leaving->deleteLater();
    if (!m_panel)
        emit emptied();
}
