#include "tests/runtime/pg/PgEnvironment.h"

#include <chrono>
#include <iostream>

namespace cdz::test {
namespace {

// GoogleTest owns and deletes the environment after the last test.
PgEnvironment* const kEnvironment =
    static_cast<PgEnvironment*>(::testing::AddGlobalTestEnvironment(new PgEnvironment));

}  // namespace

PgEnvironment& PgEnvironment::get() {
    return *kEnvironment;
}

void PgEnvironment::SetUp() {
    skipReason_ = PgCluster::unavailable();
    if (!skipReason_.empty()) return;
    const auto start = std::chrono::steady_clock::now();
    if (!cluster_.start(&failure_)) return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::cout << "PostgreSQL test cluster started in " << ms << " ms in "
              << cluster_.folder().string() << "\n";
}

}  // namespace cdz::test
