// The growth loop of the service enumeration. Windows and Wine disagree on what a call that runs
// out of room reports: Windows fills the entries that fit, advances the resume handle and asks only
// for the bytes of the entries left over; Wine fills nothing, leaves the resume handle alone and
// asks for the bytes of all of them. What works on both is to ignore the entries of a failed call,
// grow the buffer by what was asked for and enumerate again from the start until one call holds
// everything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

constexpr uint32_t kEnumErrorMoreData = 234;             // ERROR_MORE_DATA
constexpr uint32_t kEnumInitialBytes = 36864;            // the first buffer's size
constexpr uint64_t kEnumMaxBytes = 64ull * 1024 * 1024;  // beyond this the manager is not believed

// A zero-filled buffer that holds the entries of one successful enumeration call.
struct EnumBuffer {
    std::unique_ptr<uint8_t[]> bytes;
    uint32_t size = 0;
    uint32_t count = 0;  // entries at the start of bytes
};

// call(bytes, size, bytesNeeded, count) makes one enumeration from resume handle 0 and returns 0 or
// the system's error code. Returns 0 with the filled buffer, or the error that ended the loop (also
// ERROR_NOT_ENOUGH_MEMORY, 8, when a buffer cannot be had).
template <typename Call>
uint32_t EnumerateGrowing(Call&& call, EnumBuffer& buffer) {
    uint64_t size = kEnumInitialBytes;
    for (;;) {
        buffer.bytes.reset(new (std::nothrow) uint8_t[static_cast<std::size_t>(size)]());
        buffer.size = static_cast<uint32_t>(size);
        buffer.count = 0;
        if (!buffer.bytes) {
            return 8;
        }
        uint32_t bytesNeeded = 0;
        uint32_t count = 0;
        const uint32_t error = call(buffer.bytes.get(), buffer.size, bytesNeeded, count);
        if (error == 0) {
            buffer.count = count;
            return 0;
        }
        // A refusal that asks for nothing more would repeat itself for ever.
        if (error != kEnumErrorMoreData || bytesNeeded == 0 || size + bytesNeeded > kEnumMaxBytes) {
            buffer.bytes.reset();
            return error;
        }
        size += bytesNeeded;
    }
}
