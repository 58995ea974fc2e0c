#include "SymbolImage.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace {

struct Glyph {
    const char *themeName;
    // SVG content on a 24 × 24 canvas, stroked with "currentColor" at width 2 unless it says
    // otherwise.
    const char *body;
};

const QHash<QString, Glyph> &glyphs() {
    static const QHash<QString, Glyph> table{
        {QStringLiteral("arrow.clockwise"),
         {"view-refresh", R"(<path d="M19.5 12a7.5 7.5 0 1 1-2.2-5.3"/><path d="M18 3.5v4h-4"/>)"}},
        {QStringLiteral("arrow.triangle.2.circlepath"),
         {"view-refresh",
          R"(<path d="M4.5 11a7.5 7.5 0 0 1 13-4.2L19 8.5"/><path d="M19 4v4.5h-4.5"/><path d="M19.5 13a7.5 7.5 0 0 1-13 4.2L5 15.5"/><path d="M5 20v-4.5h4.5"/>)"}},
        {QStringLiteral("gearshape"),
         {"preferences-system",
          R"(<circle cx="12" cy="12" r="3.2"/><path d="M12 2.8v2.6M12 18.6v2.6M2.8 12h2.6M18.6 12h2.6M5.5 5.5l1.9 1.9M16.6 16.6l1.9 1.9M5.5 18.5l1.9-1.9M16.6 7.4l1.9-1.9"/><circle cx="12" cy="12" r="6.4"/>)"}},
        {QStringLiteral("doc.text"),
         {"text-x-generic",
          R"(<path d="M6 2.8h8l4.5 4.5v13.9H6z"/><path d="M14 2.8v4.5h4.5"/><path d="M9 12h6.5M9 15.5h6.5M9 19h4"/>)"}},
        {QStringLiteral("info.circle"),
         {"dialog-information",
          R"(<circle cx="12" cy="12" r="9"/><path d="M12 11v6"/><circle cx="12" cy="7.6" r="0.6" fill="currentColor"/>)"}},
        {QStringLiteral("trash"),
         {"user-trash",
          R"(<path d="M4 6.5h16"/><path d="M9.5 6.5V4h5v2.5"/><path d="M6.5 6.5l1 14h9l1-14"/><path d="M10.5 10.5v6.5M13.5 10.5v6.5"/>)"}},
        {QStringLiteral("square.and.arrow.down"),
         {"document-save",
          R"(<path d="M8 9.5H5v11.5h14V9.5h-3"/><path d="M12 2.5v11.5"/><path d="M8.5 10.5l3.5 3.5 3.5-3.5"/>)"}},
        {QStringLiteral("square.and.arrow.up"),
         {"document-export",
          R"(<path d="M8 9.5H5v11.5h14V9.5h-3"/><path d="M12 15V3"/><path d="M8.5 6.5L12 3l3.5 3.5"/>)"}},
        {QStringLiteral("calendar"),
         {"x-office-calendar",
          R"(<rect x="4" y="5.5" width="16" height="15" rx="2"/><path d="M4 10.5h16M8.5 3.5v4M15.5 3.5v4"/>)"}},
        {QStringLiteral("checkmark"), {"object-select", R"(<path d="M4.5 12.5l5 5 10-11"/>)"}},
        {QStringLiteral("xmark"), {"window-close", R"(<path d="M6 6l12 12M18 6L6 18"/>)"}},
        {QStringLiteral("chevron.left"), {"go-previous", R"(<path d="M15 4.5L7.5 12l7.5 7.5"/>)"}},
        {QStringLiteral("chevron.right"), {"go-next", R"(<path d="M9 4.5l7.5 7.5L9 19.5"/>)"}},
        {QStringLiteral("hand.raised"),
         {"security-high",
          R"(<path d="M8 12V5.5a1.5 1.5 0 0 1 3 0V11M11 10.5V4a1.5 1.5 0 0 1 3 0v6.5M14 10.5V5.5a1.5 1.5 0 0 1 3 0v8c0 4.2-2.6 7.5-6.5 7.5-2.6 0-4-1.3-5.4-3.6L3.6 14a1.5 1.5 0 0 1 2.5-1.6L8 15"/>)"}},
        {QStringLiteral("arrow.up.forward.app"),
         {"window-new",
          R"(<path d="M10 4.5H6.5a2 2 0 0 0-2 2v11a2 2 0 0 0 2 2h11a2 2 0 0 0 2-2V14"/><path d="M13.5 4.5h6v6"/><path d="M19.5 4.5l-8 8"/>)"}},
        {QStringLiteral("table"),
         {"x-office-spreadsheet",
          R"(<rect x="3.5" y="4.5" width="17" height="15" rx="2"/><path d="M3.5 9.5h17M3.5 14.5h17M9.5 9.5v10"/>)"}},
        {QStringLiteral("chart.bar"),
         {"view-statistics",
          R"(<path d="M4 20.5h16"/><path d="M6.5 17V11M11 17V6M15.5 17v-4M20 17V8.5"/>)"}},
        {QStringLiteral("power"),
         {"application-exit", R"(<path d="M12 3v8"/><path d="M7 6a7.5 7.5 0 1 0 10 0"/>)"}},
    };
    return table;
}

QByteArray svgFor(const Glyph &glyph, const QColor &color) {
    const QByteArray colorName = color.name(QColor::HexRgb).toLatin1();
    QByteArray svg =
        QByteArrayLiteral(
            R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none" )"
            R"(stroke="currentColor" stroke-width="2" stroke-linecap="round" )"
            R"(stroke-linejoin="round" color="currentColor">)") +
        glyph.body + QByteArrayLiteral("</svg>");
    svg.replace("currentColor", colorName);
    return svg;
}

} // namespace

QString SymbolImage::themeIconName(QStringView symbol) {
    const auto it = glyphs().constFind(symbol.toString());
    return it == glyphs().cend() ? QString() : QString::fromLatin1(it->themeName);
}

bool SymbolImage::hasGlyph(QStringView symbol) {
    return glyphs().contains(symbol.toString());
}

QPixmap SymbolImage::pixmap(QStringView symbol, const QColor &color, int pointSize,
                            qreal devicePixelRatio) {
    const int side = qMax(1, qRound(pointSize * devicePixelRatio));
    QPixmap result(side, side);
    result.fill(Qt::transparent);
    result.setDevicePixelRatio(devicePixelRatio);
    const auto it = glyphs().constFind(symbol.toString());
    if (it == glyphs().cend())
        return result;
    QSvgRenderer renderer(svgFor(*it, color));
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pointSize, pointSize));
    painter.end();
    // Opacity travels in the colour's alpha; SVG colours cannot carry it.
    if (color.alphaF() < 1.0) {
        QPixmap faded(result.size());
        faded.setDevicePixelRatio(devicePixelRatio);
        faded.fill(Qt::transparent);
        QPainter fader(&faded);
        fader.setOpacity(color.alphaF());
        fader.drawPixmap(0, 0, result);
        fader.end();
        return faded;
    }
    return result;
}

QIcon SymbolImage::icon(QStringView symbol, const QColor &color, int pointSize) {
    QIcon result;
    result.addPixmap(pixmap(symbol, color, pointSize, 1.0));
    result.addPixmap(pixmap(symbol, color, pointSize, 2.0));
    return result;
}
