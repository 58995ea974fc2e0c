#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QWidget>

// A one-line plain-text label that truncates with an ellipsis when it gets less room than its
// text needs. Line breaks in the text (names come from the service) are shown as spaces, so the
// line never wraps. It can sit on a rounded chip with a fill and an outline.
class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString &text = {}, QWidget *parent = nullptr);

    // The single-line text as shown before any truncation.
    QString text() const { return m_text; }
    void setText(const QString &text);
    // What fits into the current width.
    QString visibleText() const;

    void setTextFont(const QFont &font);
    void setTextColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setAlignment(Qt::Alignment alignment);
    void setPadding(const QMargins &padding);
    // A rounded background behind the text; a transparent fill and outline draw nothing.
    void setChip(const QColor &fill, const QColor &outline, qreal radius, qreal outlineWidth);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QFont m_font;
    QColor m_textColor = Qt::black;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QMargins m_padding;
    QColor m_chipFill = Qt::transparent;
    QColor m_chipOutline = Qt::transparent;
    qreal m_chipRadius = 0;
    qreal m_chipOutlineWidth = 0;
};
