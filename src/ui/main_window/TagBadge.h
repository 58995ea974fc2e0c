#pragma once

#include <QWidget>

// A small outlined tag (the code and the status in the detail panel's title).
class TagBadge : public QWidget {
    Q_OBJECT
public:
    // Codes up to this long are never cut short.
    static constexpr int wholeCodeLength = 10;

    TagBadge(QString text, bool mono, QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    bool isMono() const { return m_mono; }
    void setText(const QString &text);
    // The text as drawn at the badge's width: whole, or cut short with an ellipsis.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont badgeFont() const;
    int widthFor(const QString &text) const;

    QString m_text;
    bool m_mono;
};
