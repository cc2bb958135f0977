// SHA-256 (FIPS 180-4), portable: the saved inventory records the digest of each service's file,
// computed the same way under Windows, under Wine and in the native tests, without loading a
// cryptography DLL into the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
public:
    Sha256();
    // Adds size bytes to the message; may be called any number of times.
    void Update(const void* data, std::size_t size);
    // The digest of everything added, as 64 lowercase hexadecimal digits. The object is spent.
    std::string HexDigest();

private:
    void Block(const uint8_t* block);

    uint32_t state_[8];
    uint8_t buffer_[64];
    std::size_t buffered_ = 0;
    uint64_t length_ = 0;  // bytes added
};
