#include "TestRegistry.h"

#include <QTest>

#ifdef ORVEL_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <cstring>
#include <vector>

static std::vector<std::pair<const char *, testsupport::TestFactory>> &registry() {
    static std::vector<std::pair<const char *, testsupport::TestFactory>> entries;
    return entries;
}

bool testsupport::registerTest(const char *name, TestFactory factory) {
    registry().emplace_back(name, std::move(factory));
    return true;
}

// Runs every registered class; "-class Name" limits the run to one class and the remaining
// arguments go to QTest unchanged (test function names, -v2, -o ...).
int main(int argc, char **argv) {
    TestApplication app(argc, argv);
    std::vector<char *> args(argv, argv + argc);
    const char *only = nullptr;
    for (auto it = args.begin() + 1; it < args.end() - 1; ++it) {
        if (std::strcmp(*it, "-class") == 0) {
            only = it[1];
            args.erase(it, it + 2);
            break;
        }
    }
    int failed = 0, ran = 0;
    for (const auto &[name, factory] : registry()) {
        if (only && std::strcmp(only, name) != 0)
            continue;
        ++ran;
        failed += QTest::qExec(factory().get(), int(args.size()), args.data()) != 0;
    }
    return ran > 0 && failed == 0 ? 0 : 1;
}
