// The loop of a service enumeration, over any call shaped like EnumServicesStatus. Windows and
// Wine disagree on what a call that runs out of room reports:
// - Windows fills the entries that fit, at most 256 KB of them whatever the buffer's size, advances
//   the resume handle past them and asks only for the bytes of the entries left over; the rest is
//   read on from the resume handle (EnumServicesStatus, lpServices and lpResumeHandle);
// - Wine fills nothing, leaves the resume handle where it was and asks for the bytes of all of
// them. So the entries of a call that failed with ERROR_MORE_DATA are taken only when the resume
// handle moved; otherwise the buffer grows by what was asked for and the same place is read again.
// Portable, so that the fake service manager runs the same loop over its own pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "platform/system_errors.h"

constexpr uint32_t kEnumInitialBytes = 36864;  // the first buffer's size
// The most Windows hands out in one call: a larger buffer would go unused.
constexpr uint32_t kEnumMaxPageBytes = 256 * 1024;
// Beyond this, for one buffer or for all the pages together, the manager is not believed.
constexpr uint64_t kEnumMaxBytes = 64ull * 1024 * 1024;

// call(bytes, size, resume, bytesNeeded, count) makes one enumeration from the resume handle (in
// and out) into a zero-filled buffer and returns 0 or the system's error code. take(bytes, count)
// takes the entries of a call that filled them, in order (it may throw, as the containers do).
// Returns 0 once every entry was taken, or the error that ended the loop (ERROR_NOT_ENOUGH_MEMORY
// when a buffer cannot be had); the entries already taken are then only part of them.
template <typename Call, typename Take>
uint32_t EnumerateInPages(Call&& call, Take&& take) {
    uint64_t size = kEnumInitialBytes;
    uint64_t allocated = 0;
    uint64_t pages = 0;  // bytes of the pages taken before this call
    std::unique_ptr<uint8_t[]> bytes;
    uint32_t resume = 0;
    for (;;) {
        if (size != allocated) {
            bytes.reset(new (std::nothrow) uint8_t[static_cast<std::size_t>(size)]);
            allocated = bytes ? size : 0;
            if (!bytes)
                return kErrorNotEnoughMemory;
        }
        std::memset(bytes.get(), 0, static_cast<std::size_t>(size));
        uint32_t bytesNeeded = 0;
        uint32_t count = 0;
        const uint32_t from = resume;
        const uint32_t error =
            call(bytes.get(), static_cast<uint32_t>(size), resume, bytesNeeded, count);
        if (error == 0) {
            take(static_cast<const uint8_t*>(bytes.get()), count);
            return 0;
        }
        if (error != kErrorMoreData)
            return error;
        if (resume != from && count > 0) {
            // A page, as Windows hands them out: its entries are valid, the rest follow from the
            // resume handle. The next pages may fill a buffer of up to 256 KB.
            pages += size;
            if (pages > kEnumMaxBytes)
                return error;
            take(static_cast<const uint8_t*>(bytes.get()), count);
            const uint64_t wanted =
                bytesNeeded < kEnumMaxPageBytes ? bytesNeeded : kEnumMaxPageBytes;
            if (wanted > size)
                size = wanted;
            continue;
        }
        // Nothing taken: the same place again with room for what was asked for. A refusal that
        // asks for nothing more would repeat itself for ever.
        resume = from;
        if (bytesNeeded == 0 || size + bytesNeeded > kEnumMaxBytes)
            return error;
        size += bytesNeeded;
    }
}
