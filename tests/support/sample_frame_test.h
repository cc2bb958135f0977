// A test on the program's main window, started over the sample system (sample_services.h).
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/fake/fake_system.h"
#include "tests/support/running_frame.h"
#include "tests/support/sample_services.h"

class SampleFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddSampleServices(system_);
        frame_.reset(new RunningFrame(system_));
        ASSERT_TRUE(frame_->Started());
    }
    void TearDown() override { frame_.reset(); }

    FakeSystem system_;
    std::unique_ptr<RunningFrame> frame_;
};
