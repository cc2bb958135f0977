// A clock for following services in tests: time moves only when the follower waits, and every
// wait is recorded.
#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

#include "catalogue/service_control.h"

struct TestClock : FollowClock {
    uint64_t now = 5000;
    std::vector<uint32_t> waits;
    uint64_t NowMs() override { return now; }
    void Wait(uint32_t ms) override {
        waits.push_back(ms);
        now += ms;
    }
    uint64_t Waited() const { return std::accumulate(waits.begin(), waits.end(), uint64_t{0}); }
};
