#include "SaleField.h"

#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SaleField::SaleField(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_input(new QLineEdit(this))
    , m_message(new QLabel(this))
    , m_trailing(new QHBoxLayout) {
    auto *label = new QLabel(caption, this);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ViewStyle::font(10, QFont::DemiBold, 0.4));
    AppLook::setTextTone(label, PaletteColor::textSecondary);
    m_input->setFont(ViewStyle::font(13));
    m_input->setAccessibleName(caption);
    AppLook::styleField(m_input);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setFont(ViewStyle::font(10));
    AppLook::setTextColor(m_message, [] { return ViewStyle::failureRed(); });
    m_message->hide();

    m_trailing->setContentsMargins(0, 0, 0, 0);
    m_trailing->setSpacing(4);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(m_input, 1);
    row->addLayout(m_trailing);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(label);
    column->addLayout(row);
    column->addWidget(m_message);
    connect(m_input, &QLineEdit::textEdited, this, &SaleField::textEdited);
}

QString SaleField::text() const {
    return m_input->text();
}

void SaleField::setText(const QString &text) {
    m_input->setText(text);
}

void SaleField::setPlaceholder(const QString &placeholder) {
    m_input->setPlaceholderText(placeholder);
}

void SaleField::setMessage(const QString &message) {
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}

QString SaleField::message() const {
    return m_message->isHidden() ? QString() : m_message->text();
}
