#pragma once

#include <QLineEdit>

// The toolbar's search: narrows the table to the IPOs whose code or name contains the text.
// Escape empties it; Escape on an empty field, Return and Down hand the keyboard back to the
// table (leaveRequested), so a search can go on straight into moving through the rows.
class TableSearchField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int fieldWidth = 200;

    explicit TableSearchField(QWidget *parent = nullptr);

signals:
    void leaveRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
