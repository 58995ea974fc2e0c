#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLineEdit;

// One input of the detail panel's sale group: a caption, the field (plain text, nothing
// reformatted) with room for quick choices beside it, and a message under it that says what is
// wrong with the text, shown only while something is.
class SaleField : public QWidget {
    Q_OBJECT
public:
    SaleField(const QString &caption, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void setPlaceholder(const QString &placeholder);
    // Empty hides the message.
    void setMessage(const QString &message);
    QString message() const;

    QLineEdit *input() const { return m_input; }
    // Where quick-choice buttons go, right of the input.
    QHBoxLayout *trailing() const { return m_trailing; }

signals:
    void textEdited();

private:
    QLineEdit *m_input;
    QLabel *m_message;
    QHBoxLayout *m_trailing;
};
