#include "SettingsLabel.h"

#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QFontMetrics>

#include <algorithm>

SettingsLabel::SettingsLabel(const QString &text, const QFont &font, PaletteColor tone,
                             qreal opacity, QWidget *parent)
    : QLabel(parent)
    , m_tone(tone)
    , m_opacity(opacity) {
    // Texts from the service and from files pass through here; none of them is markup.
    setTextFormat(Qt::PlainText);
    setText(text);
    setFont(font);
    // At small sizes some fonts draw "_" below their own descent, where the label would cut it
    // off; a bottom margin of that overhang keeps it visible.
    const QFontMetrics metrics(font);
    const int overhang = metrics.boundingRect(u'_').bottom() + 1 - metrics.descent();
    setContentsMargins(0, 0, 0, std::max(0, overhang));
    // The look asks for the colour again after every switch between light and dark.
    AppLook::setTextColor(this, [this] { return textColor(); });
}

void SettingsLabel::setTone(PaletteColor tone, qreal opacity) {
    m_tone = tone;
    m_opacity = opacity;
    m_failure = false;
    AppLook::setTextColor(this, [this] { return textColor(); });
}

void SettingsLabel::setFailureTone() {
    m_failure = true;
    AppLook::setTextColor(this, [this] { return textColor(); });
}

QColor SettingsLabel::textColor() const {
    return m_failure ? ViewStyle::failureRed() : ViewStyle::color(m_tone, m_opacity);
}
