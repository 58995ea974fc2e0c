#include "QuantityField.h"

#include "QuantityParsing.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

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
    AppLook::setTextTone(m_label, PaletteColor::textSecondary);
    AppLook::setTextTone(m_lotCount, PaletteColor::accentGreen);
    AppLook::styleField(m_input);
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

void QuantityField::updateLotCount() {
    const std::optional<qint64> lots = QuantityParsing::lotCount(m_input->text(), m_perLotShares);
    if (lots)
        // The count picks the plural form; past int's range every language's form is the plural.
        m_lotCount->setText(tr("%1 手", "a count of board lots",
                               int(std::min<qint64>(*lots, std::numeric_limits<int>::max())))
                                .arg(*lots));
    m_lotCount->setVisible(lots.has_value());
}
