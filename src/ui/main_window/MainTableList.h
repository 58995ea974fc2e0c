#pragma once

#include <QListView>
#include <QUrl>

class MainTableDelegate;
class MainTableModel;

// The scrolling list of table rows. A click on a row reports its code (the window toggles the
// selection); a click on a row's prospectus link reports the address instead. The list keeps
// no selection of its own.
class MainTableList : public QListView {
    Q_OBJECT
public:
    explicit MainTableList(MainTableModel &model, QWidget *parent = nullptr);

    MainTableModel &tableModel() const { return m_model; }
    // The item rectangle of `row` in viewport coordinates.
    QRect itemRect(int row) const;
    // Re-applies the palette (scroll bar and background) after an appearance change.

signals:
    void rowClicked(const QString &code);
    void prospectusClicked(const QUrl &url);
    // The rows' width changed (the list resized, or its scroll bar came or went).
    void rowWidthChanged(int width);

protected:
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // The link under `position`, when there is one.
    std::optional<QUrl> linkAt(const QPoint &position) const;

    MainTableModel &m_model;
    MainTableDelegate *m_delegate;
    int m_pressedRow = -1;
};
