#include "StatusCapsule.h"

#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVariantAnimation>

namespace {

constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 5;
constexpr int animationMs = 250;

QFont capsuleFont() {
    return ViewStyle::font(11, QFont::Medium);
}

} // namespace

StatusCapsule::StatusCapsule(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("StatusCapsule"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

QColor StatusCapsule::textColor() const {
    return m_isError ? ViewStyle::failureRed() : ViewStyle::color(PaletteColor::textSecondary);
}

void StatusCapsule::present(const QString &text, bool isError) {
    m_text = text;
    m_isError = isError;
    m_showing = true;
    setAccessibleName(text);
    QSize size = sizeHint();
    if (parentWidget())
        size.setWidth(qMin(size.width(), qMax(80, parentWidget()->width() - 32)));
    resize(size);
    place();
    show();
    raise();
    update();
    animateTo(1);
}

void StatusCapsule::dismiss() {
    if (!m_showing)
        return;
    m_showing = false;
    animateTo(0);
}

void StatusCapsule::setAnchor(QPoint topCentre) {
    m_anchor = topCentre;
    place();
}

QSize StatusCapsule::sizeHint() const {
    const QFontMetrics metrics(capsuleFont());
    return QSize(metrics.horizontalAdvance(m_text) + 2 * horizontalPadding + 2,
                 metrics.height() + 2 * verticalPadding + 2);
}

void StatusCapsule::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_presence);
    const QRectF capsule = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = capsule.height() / 2;
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.setBrush(ViewStyle::color(PaletteColor::glassFillStrong));
    painter.drawRoundedRect(capsule, radius, radius);
    painter.setFont(capsuleFont());
    painter.setPen(textColor());
    const QRect textArea = rect().adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(m_text, Qt::ElideRight, textArea.width()));
}

void StatusCapsule::animateTo(qreal presence) {
    if (m_animation)
        m_animation->stop();
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(m_presence);
    animation->setEndValue(presence);
    animation->setDuration(animationMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_presence = value.toReal();
        place();
        update();
    });
    connect(animation, &QVariantAnimation::finished, this, [this] {
        if (!m_showing)
            hide();
    });
    m_animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void StatusCapsule::place() {
    // Fully present it rests topMargin below the anchor; absent it sits above the edge.
    const int travel = height() + topMargin;
    const int y = m_anchor.y() + topMargin - qRound((1 - m_presence) * travel);
    move(m_anchor.x() - width() / 2, y);
}
