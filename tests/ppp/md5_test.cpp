// MD5 against the test suite of RFC 1321 (appendix A.5), whole and fed in
// pieces across block boundaries.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ppp/md5.h"

namespace {

std::string hex(const Md5_Digest& digest) {
    std::string text;
    char octet[3];
    for (uint8_t value : digest) {
        std::snprintf(octet, sizeof octet, "%02x", value);
        text += octet;
    }
    return text;
}

std::span<const uint8_t> octets(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

struct Rfc_Case {
    std::string input;
    std::string digest;
};

const Rfc_Case kSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5, gives_the_digests_of_the_rfc_test_suite) {
    for (const Rfc_Case& test : kSuite) EXPECT_EQ(hex(md5(octets(test.input))), test.digest) << test.input;
}

TEST(Md5, fed_in_pieces_gives_the_digest_of_the_whole) {
    const std::string& input = kSuite[6].input;
    for (size_t piece : {1u, 3u, 55u, 56u, 63u, 64u, 65u}) {
        Md5 hash;
        for (size_t at = 0; at < input.size(); at += piece)
            hash.update(octets(input).subspan(at, std::min(piece, input.size() - at)));
        EXPECT_EQ(hex(hash.finish()), kSuite[6].digest) << "pieces of " << piece;
    }
}

}  // namespace
