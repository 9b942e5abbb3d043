// PPP frames after RFC 1662: byte-exact frames, every control octet
// escaped, the decode's result flags beside its exceptions, and each fault
// that can be injected.
#include <gtest/gtest.h>

#include <string>

#include "datalink/crc.h"
#include "datalink/octet_stuffing.h"
#include "datalink/pmpp_exception.h"
#include "ppp/ppp_frame.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

// Address to information with its FCS: the body between the flags, unstuffed.
Ppp_Bytes body_of(const Ppp_Bytes& frame) { return unstuff(std::span(frame).subspan(1, frame.size() - 2)); }

Ppp_Bytes with_fcs(Ppp_Bytes content) {
    CRC::append(content, CRC::calculate(content));
    return content;
}

// Flags around the body, escaped after RFC 1662 with every control octet.
Ppp_Bytes frame_of(const Ppp_Bytes& body) {
    Ppp_Bytes frame{0x7E};
    for (uint8_t octet : body) {
        if (octet < 0x20 || octet == 0x7E || octet == 0x7D) {
            frame.push_back(0x7D);
            frame.push_back(static_cast<uint8_t>(octet ^ 0x20));
        } else {
            frame.push_back(octet);
        }
    }
    frame.push_back(0x7E);
    return frame;
}

struct Decoded {
    Decode_Result result;
    Raw_Message message;
    std::string error;
};

Decoded decode(const Ppp_Bytes& frame) {
    Decoded decoded;
    decoded.message.octets = frame;
    try {
        decode_ppp_frame(decoded.message, decoded.result);
    } catch (const RecoverException& failure) {
        decoded.error = failure.message();
    }
    return decoded;
}

TEST(Ppp_Frame, an_echo_request_goes_out_byte_for_byte) {
    const Ppp_Bytes echo{0x09, 0x01, 0x00, 0x08, 0x00, 0x00, 0x87, 0xFE};
    const Ppp_Bytes frame = encode_ppp_frame(echo, 0xC021);
    const Ppp_Bytes body = with_fcs({0xFF, 0x03, 0xC0, 0x21, 0x09, 0x01, 0x00, 0x08, 0x00, 0x00, 0x87, 0xFE});
    EXPECT_EQ(frame, frame_of(body));
    EXPECT_EQ((Ppp_Bytes(frame.begin(), frame.begin() + 6)), (Ppp_Bytes{0x7E, 0xFF, 0x7D, 0x23, 0xC0, 0x21}));
}

TEST(Ppp_Frame, every_octet_below_0x20_and_both_flag_octets_are_escaped) {
    Ppp_Bytes information;
    for (int octet = 0; octet < 256; ++octet) information.push_back(static_cast<uint8_t>(octet));
    const Ppp_Bytes frame = encode_ppp_frame(information, 0x00C1);
    for (size_t i = 1; i + 1 < frame.size(); ++i) {
        EXPECT_GE(frame[i], 0x20) << i;
        EXPECT_NE(frame[i], 0x7E) << i;
        if (frame[i] == 0x7D) ++i;
    }
    const Decoded decoded = decode(frame);
    EXPECT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.result.flags, 0);
    EXPECT_EQ(decoded.result.ipi, 0x00C1);
    EXPECT_EQ(decoded.message.information, information);
    EXPECT_EQ(decoded.message.control, 0x03);
}

struct Decode_Row {
    const char* what;
    Ppp_Bytes frame;
    uint16_t flags;
    uint16_t protocol;
    const char* error;
};

TEST(Ppp_Frame, decode_reports_flags_beside_its_exceptions) {
    Ppp_Bytes bad_fcs = with_fcs({0xFF, 0x03, 0xC0, 0x21, 0x0A, 0x01, 0x00, 0x04});
    bad_fcs.back() ^= 0x01;
    const Decode_Row rows[] = {
        {"an intact LCP frame", frame_of(with_fcs({0xFF, 0x03, 0xC0, 0x21, 0x0A, 0x01, 0x00, 0x04})), 0, 0xC021, ""},
        {"control 0x13 and 0x33 are accepted", frame_of(with_fcs({0xFF, 0x33, 0xC2, 0x23, 0x03, 0x01, 0x00, 0x04})), 0,
         0xC223, ""},
        {"a bad FCS is flagged and decoding goes on", frame_of(bad_fcs), 2, 0xC021, ""},
        {"an address other than 0xFF", frame_of(with_fcs({0x05, 0x03, 0xC0, 0x21})), 4, 0, "Invalid PPP address field!"},
        {"a control other than 03, 13, 33", frame_of(with_fcs({0xFF, 0x07, 0xC0, 0x21})), 8, 0, "Invalid Byte Sequence!"},
        {"a bad FCS and a bad control", frame_of({0xFF, 0x07, 0xC0, 0x21, 0x00, 0x00}), 2 | 8, 0,
         "Invalid Byte Sequence!"},
        {"a frame that ends after its address", frame_of(with_fcs({0xFF})), 8, 0,
         "The frame ends before its control field!"},
        {"a compressed protocol field", frame_of(with_fcs({0xFF, 0x03, 0x21, 0x45})), 0x10, 0, ""},
        {"no protocol field", frame_of(with_fcs({0xFF, 0x03})), 0x10, 0, ""},
        {"an unknown protocol", frame_of(with_fcs({0xFF, 0x03, 0x80, 0x21, 0x01})), 0, 0, "Invalid IPI code!"},
        {"two flags", {0x7E, 0x7E}, 2 | 4, 0, "Invalid length on buffer for HDLCAddr!"},
        {"one octet", {0x7E}, 0, 0, "The message length is smaller than 2 bytes!"},
        {"no closing flag", {0x7E, 0xFF, 0x03}, 0, 0, "Invalid Byte Sequence!"},
        {"a lone escape before the closing flag", {0x7E, 0xFF, 0x7D, 0x7E}, 0, 0,
         stuffing_error::kDanglingEscape},
    };
    for (const Decode_Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Decoded decoded = decode(row.frame);
        EXPECT_EQ(decoded.result.flags, row.flags);
        EXPECT_EQ(decoded.result.ipi, row.protocol);
        EXPECT_EQ(decoded.error, row.error);
        if (row.protocol != 0) {
            EXPECT_EQ(decoded.message.information.size(), 4u);
        }
    }
}

TEST(Ppp_Frame, each_fault_changes_the_frame_as_set) {
    const Ppp_Bytes info{0x09, 0x01, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00};
    const Ppp_Bytes plain = body_of(encode_ppp_frame(info, 0xC021));
    const Random_Below random = seeded_random(5);
    for (int round = 0; round < 50; ++round) {
        Ppp_Frame_Faults address;
        address.invalid_address = true;
        const Ppp_Bytes a = body_of(encode_ppp_frame(info, 0xC021, address, random));
        EXPECT_LE(a[0], 0xFD);
        EXPECT_EQ((Ppp_Bytes(a.begin() + 1, a.end() - 2)), (Ppp_Bytes(plain.begin() + 1, plain.end() - 2)));

        Ppp_Frame_Faults control;
        control.invalid_control = true;
        const Ppp_Bytes c = body_of(encode_ppp_frame(info, 0xC021, control, random));
        EXPECT_GE(c[1], 0x04);
        EXPECT_LE(c[1], 0xFE);
        // The draw may land on a control this side also accepts.
        const bool accepted = c[1] == 0x13 || c[1] == 0x33;
        EXPECT_EQ(decode(frame_of(c)).result.flags & 8, accepted ? 0 : 8);

        Ppp_Frame_Faults extra;
        extra.extra_byte = true;
        extra.remove_byte = true;  // not applied beside the extra octet
        const Ppp_Bytes e = body_of(encode_ppp_frame(info, 0xC021, extra, random));
        EXPECT_EQ(e.size(), plain.size() + 1);
        EXPECT_EQ(e[e.size() - 3], 0x58);

        Ppp_Frame_Faults remove;
        remove.remove_byte = true;
        EXPECT_EQ(body_of(encode_ppp_frame(info, 0xC021, remove, random)).size(), plain.size() - 1);

        Ppp_Frame_Faults change;
        change.change_byte = true;
        const Ppp_Bytes changed = body_of(encode_ppp_frame(info, 0xC021, change, random));
        int differences = 0;
        for (size_t i = 0; i + 2 < plain.size(); ++i)
            if (changed[i] != plain[i]) {
                ++differences;
                EXPECT_EQ(changed[i], static_cast<uint8_t>(plain[i] + 1));
            }
        EXPECT_EQ(differences, 1);

        Ppp_Frame_Faults crc;
        crc.invalid_crc = true;
        const Ppp_Bytes bad = encode_ppp_frame(info, 0xC021, crc, random);
        const Decoded decoded = decode(bad);
        EXPECT_EQ(decoded.result.flags, 2);
        EXPECT_EQ(decoded.message.information, info);
    }
}

}  // namespace
