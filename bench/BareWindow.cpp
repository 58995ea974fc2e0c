#include "FirstPaintProbe.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QWidget>

// The floor for the whole-process figures: an empty Qt Widgets window of the main window's
// default size, started, painted and measured exactly like the application.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption firstPaint(
        QStringLiteral("quit-after-first-paint"),
        QStringLiteral("Print the milliseconds from process start to the first paint, then quit."));
    parser.addOption(firstPaint);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(860, 600);
    if (parser.isSet(firstPaint))
        FirstPaintProbe::install(window);
    window.show();
    return app.exec();
}
