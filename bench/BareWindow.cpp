#include "FirstPaintWindow.h"

// The floor for the whole-process figures: an empty window, started, painted and measured exactly
// like the application.
int main(int argc, char **argv) {
    return FirstPaintWindow::run(argc, argv, "bare", [](QWidget &) {});
}
