#include "QuantityField.h"

#include "QuantityParsing.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int labelToInputSpacing = 6;

} // namespace

QuantityField::QuantityField(const QString &label, const QString &placeholder, qint64 perLotShares,
                             QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(label, this))
    , m_lotCount(new QLabel(this))
    , m_input(new QLineEdit(this))
    , m_perLotShares(perLotShares) {
    m_label->setTextFormat(Qt::PlainText);
    m_label->setFont(ViewStyle::font(10, QFont::DemiBold, 0.4));
    m_lotCount->setTextFormat(Qt::PlainText);
    m_lotCount->setFont(ViewStyle::font(10, QFont::Medium));
    m_lotCount->setObjectName(QStringLiteral("LotCount"));
    m_input->setPlaceholderText(placeholder);
    m_input->setFont(ViewStyle::font(14));
    m_input->setAccessibleName(label);
    m_input->setObjectName(QStringLiteral("QuantityInput"));

    auto *labelRow = new QHBoxLayout;
    labelRow->setContentsMargins(0, 0, 0, 0);
    labelRow->setSpacing(6);
    labelRow->addWidget(m_label);
    labelRow->addStretch(1);
    labelRow->addWidget(m_lotCount);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(labelToInputSpacing);
    column->addLayout(labelRow);
    column->addWidget(m_input);

    connect(m_input, &QLineEdit::textChanged, this, [this](const QString &text) {
        updateLotCount();
        emit textChanged(text);
    });
    applyAppearance();
    updateLotCount();
}

QString QuantityField::label() const {
    return m_label->text();
}

QString QuantityField::text() const {
    return m_input->text();
}

void QuantityField::setText(const QString &text) {
    m_input->setText(text);
}

void QuantityField::setPerLotShares(qint64 shares) {
    if (shares == m_perLotShares)
        return;
    m_perLotShares = shares;
    updateLotCount();
}

QString QuantityField::lotCountText() const {
    return m_lotCount->isHidden() ? QString() : m_lotCount->text();
}

void QuantityField::applyAppearance() {
    QPalette labelColors = m_label->palette();
    labelColors.setColor(QPalette::WindowText, ViewStyle::color(PaletteColor::textSecondary));
    m_label->setPalette(labelColors);
    QPalette lotColors = m_lotCount->palette();
    lotColors.setColor(QPalette::WindowText, ViewStyle::color(PaletteColor::accentGreen));
    m_lotCount->setPalette(lotColors);

    QPalette inputColors = m_input->palette();
    inputColors.setColor(QPalette::Text, ViewStyle::color(PaletteColor::textPrimary));
    inputColors.setColor(QPalette::PlaceholderText,
                         ViewStyle::color(PaletteColor::textSecondary, 0.6));
    inputColors.setColor(QPalette::Highlight, ViewStyle::color(PaletteColor::accentGreen, 0.35));
    inputColors.setColor(QPalette::HighlightedText, ViewStyle::color(PaletteColor::textPrimary));
    m_input->setPalette(inputColors);
    m_input->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid %3;"
                       " border-radius: 6px; padding: 6px 7px; }"
                       "QLineEdit:focus { border: 1px solid %4; }")
            .arg(ViewStyle::css(ViewStyle::color(PaletteColor::glassFillStrong)),
                 ViewStyle::css(ViewStyle::color(PaletteColor::textPrimary)),
                 ViewStyle::css(ViewStyle::color(PaletteColor::borderColor)),
                 ViewStyle::css(ViewStyle::color(PaletteColor::accentGreen, 0.7))));
}

void QuantityField::updateLotCount() {
    const std::optional<qint64> lots = QuantityParsing::lotCount(m_input->text(), m_perLotShares);
    if (lots)
        m_lotCount->setText(QString::number(*lots) + QStringLiteral(" 手"));
    m_lotCount->setVisible(lots.has_value());
}
