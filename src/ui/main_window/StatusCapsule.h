#pragma once

#include <QPointer>
#include <QWidget>

class QVariantAnimation;

// The short-lived line that reports a manual refresh: a translucent capsule overlaid at the top
// centre of the content, in red for a failure. It slides down and fades in, and leaves the
// reverse way.
class StatusCapsule : public QWidget {
    Q_OBJECT
public:
    static constexpr int topMargin = 8;

    explicit StatusCapsule(QWidget *parent = nullptr);

    // Whether a status is shown (or coming in); false once it starts leaving.
    bool isShowing() const { return m_showing; }
    const QString &text() const { return m_text; }
    bool isError() const { return m_isError; }
    // The colour the text is drawn in right now.
    QColor textColor() const;

    void present(const QString &text, bool isError);
    void dismiss();
    // Where the capsule rests: its top centre, in the parent's coordinates.
    void setAnchor(QPoint topCentre);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void animateTo(qreal presence);
    void place();

    QString m_text;
    bool m_isError = false;
    bool m_showing = false;
    qreal m_presence = 0;
    QPoint m_anchor;
    QPointer<QVariantAnimation> m_animation;
};
