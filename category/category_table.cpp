// The twenty categories of the tree, in the order the tree inserts them.
#include "category/category_filter.h"

const CategoryRow kCategoryTable[kCategoryCount] = {
    {0, "All Win32 Services", -1, 2, {kKindWin32, -1, -1}},
    {1, "Status", 0, 0, {kKindWin32, 0, -1}},
    {2, "Start", 1, 1, {kKindWin32, 0, 0}},
    {3, "Stop", 1, 1, {kKindWin32, 0, 1}},
    {4, "Pause", 1, 1, {kKindWin32, 0, 2}},
    {6, "Start Type", 0, 0, {kKindWin32, 1, -1}},
    {7, "Auto Start", 6, 1, {kKindWin32, 1, 2}},
    {8, "Demand Start", 6, 1, {kKindWin32, 1, 3}},
    {9, "Disabled Start", 6, 1, {kKindWin32, 1, 4}},
    {18, "Svchost Group", 0, 0, {kKindWin32, 2, -1}},
    {19, "LocalService", 18, 1, {kKindWin32, 2, 1}},
    {20, "netsvcs", 18, 1, {kKindWin32, 2, 2}},
    {10, "All Drivers Services", -1, 3, {kKindDriver, -1, -1}},
    {11, "Kernel Drivers", 10, 0, {kKindDriver, 1, -1}},
    {12, "Boot Start", 11, 1, {kKindDriver, 1, 0}},
    {13, "System Start", 11, 1, {kKindDriver, 1, 1}},
    {14, "Auto Start", 11, 1, {kKindDriver, 1, 2}},
    {15, "Demand Start", 11, 1, {kKindDriver, 1, 3}},
    {16, "Disabled Start", 11, 1, {kKindDriver, 1, 4}},
    {17, "File System Driver", 10, 0, {kKindDriver, 2, -1}},
};
