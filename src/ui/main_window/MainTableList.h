#pragma once

#include <QElapsedTimer>
#include <QListView>
#include <QUrl>

#include <optional>

class MainTableDelegate;
class MainTableModel;

// The scrolling list of table rows. A click on a row reports its code (the window toggles the
// selection); a click on a row's prospectus link reports the address instead. From the keyboard
// the list moves its selection (arrows, pages, Home, End, typing a code's or name's start) and
// reports the newly selected code; the window's selection is mirrored back with showSelection.
class MainTableList : public QListView {
    Q_OBJECT
public:
    explicit MainTableList(MainTableModel &model, QWidget *parent = nullptr);

    MainTableModel &tableModel() const { return m_model; }
    // The item rectangle of `row` in viewport coordinates.
    QRect itemRect(int row) const;
    // Re-applies the palette (scroll bar and background) after an appearance change.
    // Mirrors the window's selection without reporting it back.
    void showSelection(const std::optional<QString> &code);
    // The code of the row the keyboard is on; empty when there is none.
    QString currentCode() const;
    // A line shown in place of the rows while none are listed; empty for none.
    void setEmptyText(const QString &text);

    void keyboardSearch(const QString &search) override;

signals:
    void rowClicked(const QString &code);
    void prospectusClicked(const QUrl &url);
    // The keyboard moved the selection to `code` (empty: none).
    void selectionRequested(const QString &code);
    // Return or Enter on the row of `code`.
    void enterPressed(const QString &code);
    // The copy key on the row of `code`.
    void copyRequested(const QString &code);
    // A right click or the menu key on the row of `code`, the menu to open at `globalPosition`.
    void menuRequested(const QString &code, const QPoint &globalPosition);
    // The rows' width changed (the list resized, or its scroll bar came or went).
    void rowWidthChanged(int width);

protected:
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The link under `position`, when there is one.
    std::optional<QUrl> linkAt(const QPoint &position) const;

    MainTableModel &m_model;
    MainTableDelegate *m_delegate;
    int m_pressedRow = -1;
    bool m_mirroring = false;
    // The ring shows once the keyboard is in use here, not for a click or window activation.
    bool m_keyboardFocus = false;
    QString m_emptyText;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
};
