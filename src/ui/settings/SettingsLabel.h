#pragma once

#include "ui/look/Palette.h"

#include <QLabel>

// A plain-text label in one of the palette's colours (with an opacity) or in the failure red; the
// look asks for its colour again after every switch between light and dark.
class SettingsLabel : public QLabel {
    Q_OBJECT
public:
    SettingsLabel(const QString &text, const QFont &font, PaletteColor tone, qreal opacity = 1.0,
                  QWidget *parent = nullptr);

    void setTone(PaletteColor tone, qreal opacity = 1.0);
    // The failure red instead of a palette colour, until the next setTone().
    void setFailureTone();
    bool hasFailureTone() const { return m_failure; }
    // The colour the text is drawn in right now.
    QColor textColor() const;

private:
    PaletteColor m_tone;
    qreal m_opacity;
    bool m_failure = false;
};
