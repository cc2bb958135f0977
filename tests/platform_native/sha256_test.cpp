// SHA-256 as the standard's examples give it, however the message is cut into pieces.
#include "platform/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string Digest(const std::string& message, std::size_t piece) {
    Sha256 digest;
    for (std::size_t at = 0; at < message.size(); at += piece)
        digest.Update(message.data() + at, std::min(piece, message.size() - at));
    return digest.HexDigest();
}

// The examples of FIPS 180-4 (NIST's SHA256.pdf, SHA256ShortMsg and SHA256LongMsg), each added in
// pieces that cross the 64-byte blocks in every way.
TEST(Sha256, GivesTheStandardsExampleDigestsHoweverTheMessageIsCut) {
    const std::string million(1000000, 'a');
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",  // 56 bytes: two blocks
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 20));
        for (std::size_t piece : {std::size_t(1), std::size_t(63), std::size_t(64), std::size_t(65),
                                  std::size_t(1) << 20})
            EXPECT_EQ(Digest(c.message, piece), c.digest) << piece;
    }
}

}  // namespace
