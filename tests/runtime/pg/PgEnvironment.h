#pragma once
// The one throwaway PostgreSQL cluster of a test process: started before the first test and
// stopped after the last, also when a test fails. Tests skip with its reason where the server
// programs are missing, and fail where they are present but the cluster does not start.
#include <string>

#include <gtest/gtest.h>

#include "tests/runtime/pg/PgCluster.h"

namespace cdz::test {

class PgEnvironment : public ::testing::Environment {
public:
    // The process's environment, registered with GoogleTest when the process starts.
    static PgEnvironment& get();

    void SetUp() override;
    void TearDown() override { cluster_.stop(); }

    const PgCluster& cluster() const { return cluster_; }
    // Why the tests cannot run here ("" when they can).
    const std::string& skipReason() const { return skipReason_; }
    // Why the cluster did not start although it could ("" when it started).
    const std::string& failure() const { return failure_; }

private:
    PgCluster cluster_;
    std::string skipReason_;
    std::string failure_;
};

}  // namespace cdz::test
