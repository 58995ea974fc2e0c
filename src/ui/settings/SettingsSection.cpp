#include "SettingsSection.h"

#include "SettingsCard.h"
#include "SettingsLabel.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int headingSpacing = 6;
constexpr int buttonRowSpacing = 10;

} // namespace

SettingsSection::SettingsSection(const QString &title, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("SettingsSection"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(headingSpacing);
    auto *heading = new SettingsLabel(title.toUpper(), ViewStyle::font(9, QFont::Normal, 1.2),
                                      PaletteColor::textSecondary, 0.6);
    heading->setObjectName(QStringLiteral("SectionHeading"));
    heading->setContentsMargins(4, 0, 0, heading->contentsMargins().bottom());
    m_card = new SettingsCard;
    layout->addWidget(heading);
    layout->addWidget(m_card);
}

QVBoxLayout *SettingsSection::rows() const {
    return m_card->rows();
}

SettingsLabel *SettingsSection::label(const QString &text) {
    return new SettingsLabel(text, ViewStyle::font(12), PaletteColor::textPrimary);
}

SettingsLabel *SettingsSection::hint(const QString &text) {
    auto *wrapped = new SettingsLabel(text, ViewStyle::font(10), PaletteColor::textSecondary, 0.6);
    wrapped->setWordWrap(true);
    return wrapped;
}

SettingsLabel *SettingsSection::note(const QString &text) {
    auto *wrapped = new SettingsLabel(text, ViewStyle::font(11), PaletteColor::textSecondary);
    wrapped->setWordWrap(true);
    return wrapped;
}

QHBoxLayout *SettingsSection::buttonRow() {
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(buttonRowSpacing);
    return row;
}

QWidget *SettingsSection::labelledRow(const QString &labelText, const QString &hintText,
                                      QWidget *trailing) {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(3);
    texts->addWidget(label(labelText));
    texts->addWidget(hint(hintText));
    layout->addLayout(texts, 1);
    layout->addWidget(trailing, 0, Qt::AlignVCenter);
    return row;
}
