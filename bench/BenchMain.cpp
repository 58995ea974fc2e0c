#include <QCoreApplication>

#include <benchmark/benchmark.h>

// Google Benchmark's main, with the Qt application object that the SQLite driver, the time
// zone database and the coroutine helpers expect to exist.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
