#include "FirstPaintWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

// A second floor for the first paint: plain Qt widgets showing the text of the application's
// first frame in its fonts (the search field's placeholder, the time filter's labels, the
// table's headings; Simplified Chinese with the system's sans-serif). What it costs beyond the
// bare window is what drawing that much text costs on the machine: the font configuration read,
// the font files opened, the glyphs loaded and shaped.
namespace {

// As the application's ViewStyle::font makes them; written out here because this window links
// Qt Widgets only, like the bare one, and none of the application's libraries.
QFont sized(int pixels, QFont::Weight weight, qreal letterSpacing = 0) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setWeight(weight);
    if (letterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return font;
}

QLabel *label(const char *text, const QFont &font) {
    auto *result = new QLabel(QString::fromUtf8(text));
    result->setFont(font);
    return result;
}

void addFirstFrameText(QWidget &window) {
    auto *column = new QVBoxLayout(&window);
    auto *toolbar = new QHBoxLayout;
    auto *search = new QLineEdit;
    search->setFont(sized(12, QFont::Normal));
    search->setPlaceholderText(QString::fromUtf8("搜索代码或名称"));
    toolbar->addWidget(search);
    toolbar->addWidget(label("本周", sized(12, QFont::Medium)));
    for (const char *text : {"本月", "近30天", "全部"})
        toolbar->addWidget(label(text, sized(12, QFont::Normal)));
    column->addLayout(toolbar);
    auto *header = new QHBoxLayout;
    for (const char *text : {"股票代码", "股票名称", "状态", "一手资金(HKD)", "申购日期", "申购数",
                             "中签数", "招股书"})
        header->addWidget(label(text, sized(10, QFont::DemiBold, 0.4)));
    column->addLayout(header);
    column->addStretch(1);
}

} // namespace

int main(int argc, char **argv) {
    return FirstPaintWindow::run(argc, argv, "text", addFirstFrameText);
}
