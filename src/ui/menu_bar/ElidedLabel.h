#pragma once

#include "ui/look/ViewStyle.h"

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
    // Colours are asked for at paint time, so they follow light and dark by themselves.
    void setTextColor(ViewStyle::ColorSource color);
    QColor textColor() const { return m_textColor(); }
    void setAlignment(Qt::Alignment alignment);
    void setPadding(const QMargins &padding);
    // A rounded background behind the text; a transparent fill and outline draw nothing.
    void setChip(ViewStyle::ColorSource fill, ViewStyle::ColorSource outline, qreal radius,
                 qreal outlineWidth);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QFont m_font;
    ViewStyle::ColorSource m_textColor = [] {
        return QColor(Qt::black);
    };
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QMargins m_padding;
    ViewStyle::ColorSource m_chipFill;
    ViewStyle::ColorSource m_chipOutline;
    qreal m_chipRadius = 0;
    qreal m_chipOutlineWidth = 0;
};
