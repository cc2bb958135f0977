// A catalogue over the fake service manager and registry, with helpers to read it back.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/service_list.h"
#include "platform/fake/fake_system.h"
#include "tests/support/sample_services.h"  // Repeat

class CatalogueTest : public ::testing::Test {
protected:
    // The record of that name after a load; fails the test when it is missing.
    const SERVICE_ITEM& Record(const char* name) {
        const SERVICE_ITEM* item = list.Find(name);
        EXPECT_NE(item, nullptr) << name;
        static const SERVICE_ITEM kNone;
        return item ? *item : kNone;
    }

    // Service names in catalogue order, by a cursor walk.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        int32_t cursor = 0;
        const SERVICE_ITEM* item = nullptr;
        for (bool more = list.GetFirst(cursor, item); more; more = list.GetNext(cursor, item)) {
            names.push_back(item->lpServiceName);
        }
        return names;
    }

    FakeSystem fake;
    CServiceList list{fake, fake};
};
