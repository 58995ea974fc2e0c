#include "TableHeaderBar.h"

#include "MainTableColumns.h"
#include "ui/look/AccessibleParts.h"
#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// The headings reach the accessibility bus as column headers.
QAccessibleInterface *accessibleHeadings(const QString &, QObject *object) {
    auto *bar = qobject_cast<TableHeaderBar *>(object);
    if (!bar)
        return nullptr;
    return new AccessibleParts(
        bar, QAccessible::Grouping,
        {QAccessible::ColumnHeader,
         [] {
             QStringList names;
             for (int i = 0; i < MainTableColumns::count; ++i)
                 names.append(MainTableColumns::headerText(MainTableColumns::Column(i)));
             return names;
         },
         [bar](int index) { return bar->headingRect(index); },
         {},
         {}});
}

} // namespace

TableHeaderBar::TableHeaderBar(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("TableHeaderBar"));
    setFixedHeight(barHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(tr("列标题"));
    static const bool accessible = (QAccessible::installFactory(accessibleHeadings), true);
    Q_UNUSED(accessible);
}

QRect TableHeaderBar::headingRect(int column) const {
    const int width = m_rowWidth >= 0 ? m_rowWidth : this->width();
    if (column < 0 || column >= MainTableColumns::count)
        return {};
    return MainTableColumns::cellRects(QRect(0, 0, width, height()))[size_t(column)];
}

void TableHeaderBar::setRowWidth(int width) {
    if (width == m_rowWidth)
        return;
    m_rowWidth = width;
    update();
}

QSize TableHeaderBar::sizeHint() const {
    return QSize(700, barHeight);
}

QSize TableHeaderBar::minimumSizeHint() const {
    return QSize(0, barHeight);
}

void TableHeaderBar::paintEvent(QPaintEvent *) {
    using namespace MainTableColumns;
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::mutedFill));

    const int width = m_rowWidth >= 0 ? m_rowWidth : this->width();
    const std::array<QRect, count> cells = cellRects(QRect(0, 0, width, height()));
    const QFont font = MainTableColumns::headerFont();
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(ViewStyle::color(PaletteColor::textSecondary));
    const QColor divider = ViewStyle::color(PaletteColor::borderColor, 0.8);
    for (int i = 0; i < count; ++i) {
        const QRect &cell = cells[static_cast<size_t>(i)];
        const QRect content = cell.adjusted(textPadding, 0, -textPadding, 0);
        if (content.width() > 0) {
            painter.drawText(
                content, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                metrics.elidedText(headerText(Column(i)), Qt::ElideRight, content.width()));
        }
        if (i < count - 1)
            painter.fillRect(QRect(cell.right(), (height() - 20) / 2, 1, 20), divider);
    }
}
