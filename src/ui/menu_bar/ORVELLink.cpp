#include "ORVELLink.h"
#include "ui/look/ViewStyle.h"

#include "PanelStyle.h"
#include "model/WebAddress.h"
#include "ui/look/Palette.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QPainter>

namespace {

QFont linkFont() {
    QFont font = ViewStyle::font(11, QFont::Medium, 0.5);
    font.setUnderline(true);
    return font;
}

} // namespace

ORVELLink::ORVELLink(QUrl hkexURL, QWidget *parent)
    : QAbstractButton(parent)
    , m_hkexURL(std::move(hkexURL)) {
    setObjectName(QStringLiteral("hkexLink"));
    //: the link to the exchange's new-listing page
    setText(tr("港交所"));
    setToolTip(m_hkexURL.toString());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, [this] { open(); });
}

bool ORVELLink::open() const {
    if (!WebAddress::isOpenable(m_hkexURL))
        return false;
    return QDesktopServices::openUrl(m_hkexURL);
}

QSize ORVELLink::sizeHint() const {
    const QFontMetrics metrics(linkFont());
    return {metrics.horizontalAdvance(text()) + 1, metrics.height()};
}

void ORVELLink::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(0.55);
    painter.setFont(linkFont());
    painter.setPen(ViewStyle::color(PaletteColor::textSecondary));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
