#include "TestRegistry.h"

#include <QTest>

#ifdef ORVEL_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Entry {
    const char *name;
    testsupport::TestFactory factory;
};

std::vector<Entry> &registry()
{
    static std::vector<Entry> entries;
    return entries;
}

} // namespace

bool testsupport::registerTest(const char *name, TestFactory factory)
{
    registry().push_back({name, std::move(factory)});
    return true;
}

// Runs every registered class; "-class Name" limits the run to one class and the remaining
// arguments go to QTest unchanged (test function names, -v2, -o ...).
int main(int argc, char **argv)
{
    TestApplication app(argc, argv);
    std::vector<char *> args(argv, argv + argc);
    const char *only = nullptr;
    for (size_t i = 1; i + 1 < args.size(); ++i) {
        if (std::strcmp(args[i], "-class") == 0) {
            only = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    }

    int failedClasses = 0;
    int ran = 0;
    for (const Entry &entry : registry()) {
        if (only && std::strcmp(only, entry.name) != 0)
            continue;
        auto test = entry.factory();
        ++ran;
        if (QTest::qExec(test.get(), static_cast<int>(args.size()), args.data()) != 0)
            ++failedClasses;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no test class ran\n");
        return 1;
    }
    return failedClasses == 0 ? 0 : 1;
}
