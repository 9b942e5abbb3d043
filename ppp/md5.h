// MD5 (RFC 1321): the digest CHAP computes over identifier, secret and
// challenge.
#pragma once

#include <array>
#include <cstdint>
#include <span>

using Md5_Digest = std::array<uint8_t, 16>;

// Feeds octets in pieces and gives the digest of all of them.
class Md5 {
public:
    Md5();
    void update(std::span<const uint8_t> octets);
    // The digest of everything fed; the object is spent afterwards.
    Md5_Digest finish();

private:
    void transform(const uint8_t* block);

    std::array<uint32_t, 4> state_;
    std::array<uint8_t, 64> block_{};
    uint64_t length_ = 0;  // octets fed so far
};

Md5_Digest md5(std::span<const uint8_t> octets);
