#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace testsupport {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// Called at static-initialisation time by ORVEL_TEST_CLASS; the shared main runs every
// registered class in registration order.
bool registerTest(const char *name, TestFactory factory);

} // namespace testsupport

#define ORVEL_TEST_CLASS(Class)                                                                    \
    [[maybe_unused]] static const bool orvelTestRegistered_##Class =                               \
        testsupport::registerTest(#Class, [] { return std::make_unique<Class>(); })
