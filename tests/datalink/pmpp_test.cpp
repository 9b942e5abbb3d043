#include "datalink/pmpp.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "base/random_source.h"
#include "datalink/crc.h"
#include "datalink/hdlc_addr.h"
#include "datalink/octet_stuffing.h"
#include "datalink/pmpp_exception.h"
#include "field/error_injection.h"
#include "tests/support/thrown_text.h"

namespace {

using Positions = std::array<size_t, pmpp::kFieldPositionCount>;

// The frame for a body's fields with an FCS value: stuffed and flagged.
Bytes framed_with_fcs(const Bytes& fields, uint16_t fcs) {
    Bytes body = fields;
    CRC::append(body, fcs);
    Bytes frame{0x7E};
    append_stuffed(frame, body);
    frame.push_back(0x7E);
    return frame;
}

// The same with the right FCS.
Bytes framed(const Bytes& fields) { return framed_with_fcs(fields, CRC::calculate(fields)); }

Error_Mode mode_with(std::initializer_list<Error_Switch> switches) {
    Error_Mode mode;
    for (Error_Switch which : switches) mode.set(which, true);
    return mode;
}

class Pmpp : public ::testing::Test {
protected:
    static constexpr uint32_t kSeed = 20240611;

    Sent_Frame encode(const Bytes& information, int32_t address = 1, int32_t group = 0,
                      const char* class_name = "Class B") {
        return pmpp.encode(information, address, group, class_name);
    }
    Sent_Frame inject(const Error_Mode& mode, const Bytes& information, int32_t address = 1) {
        return pmpp.encode(information, address, 0, "Class B", mode.frame_faults());
    }
    // Decodes a frame given as its octets.
    Raw_Message decoded(const Bytes& frame, Decode_Result* result = nullptr) {
        Raw_Message message;
        message.octets = frame;
        const Decode_Result got = pmpp.decode(message);
        if (result != nullptr) *result = got;
        return message;
    }
    // Feeds octets to the assembly one by one: the frame completed by the
    // last of them.
    Raw_Message assembled(const Bytes& octets) {
        Raw_Message frame;
        for (size_t i = 0; i < octets.size(); ++i) {
            const bool complete = pmpp.add_received_octet(frame, octets[i], "12:00:00.000");
            EXPECT_EQ(complete, i + 1 == octets.size()) << "octet " << i;
        }
        return frame;
    }

    // The text of what decoding the frame throws.
    template <typename Kind>
    std::string refusal(const Bytes& frame) {
        return thrown_text<Kind>([&] { decoded(frame); });
    }
    // Both generators from the seed again.
    void restart() {
        random.seed(kSeed);
        replay.seed(kSeed);
    }

    Random_Source random{kSeed};
    Random_Source replay{kSeed};  // the same draws, to predict them
    std::string trace;
    PMPP pmpp{random, [this](std::string_view text) { trace += text; }};
};

TEST_F(Pmpp, PlainFramesOctetForOctet) {
    const struct {
        Bytes information;
        int32_t address;
        int32_t group;
        const char* class_name;
        Bytes frame;
        Positions positions;
        uint16_t ipi_length;
    } cases[] = {
        // One-octet address, Class B IPI.
        {{0x30, 0x00},
         1,
         0,
         "Class B",
         {0x7E, 0x05, 0x13, 0xC1, 0x30, 0x00, 0xAB, 0xE9, 0x7E},
         {0, 1, 2, 3, 4, 6, 8},
         1},
        // Two-octet address, no IPI, flag and escape in the information.
        {{0x30, 0x7E, 0x7D},
         100,
         0,
         "POLL",
         {0x7E, 0x02, 0x91, 0x13, 0x30, 0x7D, 0x5E, 0x7D, 0x5D, 0xFC, 0x68, 0x7E},
         {0, 1, 3, 4, 4, 9, 11},
         0},
        // The FCS itself holds an escape octet.
        {{0x14}, 1, 0, "Class B", {0x7E, 0x05, 0x13, 0xC1, 0x14, 0xAF, 0x7D, 0x5D, 0x7E}, {0, 1, 2, 3, 4, 5, 8}, 1},
        // Address 255, or the group argument 255: address and FCS only.
        {{0x30, 0x00}, 255, 0, "Class B", {0x7E, 0x05, 0x33, 0xE7, 0x72, 0x7E}, {0, 1, 3, 3, 3, 3, 5}, 0},
        {{0x30, 0x00}, 255, 1, "Class B", {0x7E, 0x05, 0x33, 0xE7, 0x72, 0x7E}, {0, 1, 3, 3, 3, 3, 5}, 0},
        {{0x30, 0x00}, 1, 255, "Class B", {0x7E, 0x07, 0xC7, 0x84, 0x7E}, {0, 1, 2, 2, 2, 2, 4}, 0},
    };
    for (const auto& c : cases) {
        const Sent_Frame sent = encode(c.information, c.address, c.group, c.class_name);
        EXPECT_EQ(sent.octets, c.frame) << c.address;
        EXPECT_EQ(sent.positions, c.positions) << c.address;
        EXPECT_EQ(sent.ipi_length, c.ipi_length) << c.address;
    }
}

TEST_F(Pmpp, FieldPositionsFollowStuffedFields) {
    // Address 4095 starts with 0x7E; the frame's fields shift with it.
    const Sent_Frame sent = encode({0x7D, 0x30}, 4095, 0, "Class B");
    EXPECT_EQ(Bytes(sent.octets.begin(), sent.octets.begin() + 4), (Bytes{0x7E, 0x7D, 0x5E, 0xFD}));
    EXPECT_EQ(sent.positions[pmpp::kControlPosition], 4u);
    EXPECT_EQ(sent.octets[4], 0x13);
    EXPECT_EQ(sent.positions[pmpp::kIpiPosition], 5u);
    EXPECT_EQ(sent.positions[pmpp::kInformationPosition], 6u);
    EXPECT_EQ(sent.positions[pmpp::kFcsPosition], 9u);
    EXPECT_EQ(sent.positions[pmpp::kClosingFlagPosition], sent.octets.size() - 1);
}

TEST_F(Pmpp, FramesComeBackThroughAssemblyAndDecode) {
    Bytes stuffing_heavy;
    for (int i = 0; i < 300; ++i) stuffing_heavy.push_back(i % 2 ? 0x7E : 0x7D);
    Bytes every_octet;
    for (unsigned octet = 0; octet < 256; ++octet) every_octet.push_back(static_cast<uint8_t>(octet));
    const struct {
        Bytes information;
        int32_t address;
        int32_t group;
    } cases[] = {
        {{0x30, 0x05, 0x02, 0x01, 0x00}, 0, 0},
        {every_octet, 63, 1},
        {stuffing_heavy, 64, 0},
        {{0x30}, 4095, 1},
        {{0xA2, 0x00}, 8191, 0},
        {{}, 100, 0},
    };
    for (const auto& c : cases) {
        const Sent_Frame sent = encode(c.information, c.address, c.group);
        Raw_Message frame = assembled(sent.octets);
        EXPECT_EQ(frame.octets, sent.octets);
        EXPECT_EQ(frame.time_stamp, "12:00:00.000");
        const Decode_Result result = pmpp.decode(frame);
        EXPECT_EQ(result, (Decode_Result{0, 0xC1})) << c.address;
        EXPECT_EQ(frame.address, HDLC_Addr(c.address, c.group != 0)) << c.address;
        EXPECT_EQ(frame.control, 0x13);
        EXPECT_EQ(frame.ipi, IPI(1, 0xC1));
        EXPECT_EQ(frame.information, c.information) << c.address;
        EXPECT_EQ(frame.fcs_residue, CRC::kGoodResidue);
    }
}

TEST_F(Pmpp, DecodeAcceptsEachControlAndAFrameWithoutInformation) {
    for (uint8_t control : {0x03, 0x13, 0x33}) {
        const Raw_Message message = decoded(framed({0x02, 0x91, control, 0xC0, 0x21, 0x01, 0x02}));
        EXPECT_EQ(message.control, control);
        EXPECT_EQ(message.address.value(), 0x0291);
        EXPECT_EQ(message.ipi, IPI(2, 0xC021));
        EXPECT_EQ(message.information, (Bytes{0x01, 0x02}));
    }
    // What address 255 produces: one-octet address 05, control 33, the FCS.
    Decode_Result result{7, 7};
    const Raw_Message bare = decoded(encode({0x30}, 255).octets, &result);
    EXPECT_EQ(result, (Decode_Result{Decode_Result::kNoInformation, 0}));
    EXPECT_EQ(bare.address.value(), 0x05);
    EXPECT_EQ(bare.control, 0x33);
    EXPECT_TRUE(bare.information.empty());
    EXPECT_NE(trace.find(pmpp_trace::kBodyLength + std::string("4")), std::string::npos) << trace;
}

TEST_F(Pmpp, EachMalformedFrameWithItsException) {
    EXPECT_EQ(refusal<InvalidLengthException>({}), pmpp_error::kShorterThanTwo) << "empty";
    EXPECT_EQ(refusal<InvalidLengthException>({0x7E}), pmpp_error::kShorterThanTwo) << "one flag";
    EXPECT_EQ(refusal<InvalidByteSequenceException>({0x05, 0x13, 0x7E}), pmpp_error::kInvalidByteSequence)
        << "no opening flag";
    EXPECT_EQ(refusal<InvalidByteSequenceException>({0x7E, 0x05, 0x13}), pmpp_error::kInvalidByteSequence)
        << "no closing flag";
    EXPECT_EQ(refusal<CRCException>({0x7E, 0x7E}), pmpp_error::kCrcCannotBeValidated) << "two flags";
    EXPECT_EQ(refusal<CRCException>({0x7E, 0x05, 0x7E}), pmpp_error::kCrcCannotBeValidated) << "one octet";
    Bytes damaged = framed({0x05, 0x13, 0xC1, 0x30});
    damaged[4] ^= 0x01;
    EXPECT_EQ(refusal<CRCException>(damaged), pmpp_error::kInvalidCrc) << "damaged";
    EXPECT_EQ(refusal<InvalidLengthException>(framed({})), pmpp_error::kAddressLength) << "FCS only";
    EXPECT_EQ(refusal<InvalidLengthException>(framed({0x02})), pmpp_error::kAddressLength) << "address cut short";
    EXPECT_EQ(refusal<InvalidLengthException>(framed({0x05})), pmpp_error::kNoControlField) << "no control";
    EXPECT_EQ(refusal<InvalidControlException>(framed({0x05, 0x14, 0xC1})), pmpp_error::kInvalidByteSequence)
        << "control 14";
    EXPECT_EQ(refusal<InvalidByteSequenceException>(framed({0x05, 0x13, 0xC3, 0x30})), pmpp_error::kInvalidIpi)
        << "IPI C3";
    EXPECT_EQ(refusal<InvalidByteSequenceException>(framed({0x05, 0x13, 0xC0})), pmpp_error::kInvalidIpi)
        << "IPI cut short";
}

TEST_F(Pmpp, ALoneEscapeBeforeTheClosingFlagIsAGeneralDataLinkFailure) {
    // The smallest frame that shows it: the body's last octet is an escape.
    static_assert(!std::is_base_of_v<PMPP_Exception, Dangling_Escape_Exception>);
    static_assert(std::is_base_of_v<RecoverException, Dangling_Escape_Exception>);
    EXPECT_EQ(refusal<Dangling_Escape_Exception>({0x7E, 0x05, 0x13, 0xC1, 0x7D, 0x7E}),
              stuffing_error::kDanglingEscape);
}

TEST_F(Pmpp, AFailedDecodeDeliversNoField) {
    Raw_Message message = decoded(framed({0x05, 0x13, 0xC1, 0x30}));
    message.octets = framed({0x02, 0x91, 0x14, 0xC1, 0x31});
    EXPECT_THROW(pmpp.decode(message), InvalidByteSequenceException);
    EXPECT_EQ(message.address.value(), 0x05);
    EXPECT_EQ(message.control, 0x13);
    EXPECT_EQ(message.information, Bytes{0x30});
}

TEST_F(Pmpp, AssemblyFromFlagToFlag) {
    Raw_Message frame;
    EXPECT_EQ(thrown_text<InvalidByteSequenceException>([&] { pmpp.add_received_octet(frame, 0x05, "t"); }),
              pmpp_error::kOctetBeforeFlag);
    EXPECT_TRUE(frame.octets.empty());
    EXPECT_TRUE(trace.empty());

    EXPECT_FALSE(pmpp.add_received_octet(frame, 0x7E, "t1"));
    EXPECT_EQ(trace, pmpp_trace::kOpeningFlag);
    EXPECT_FALSE(pmpp.add_received_octet(frame, 0x05, "t2"));
    EXPECT_TRUE(pmpp.add_received_octet(frame, 0x7E, "t3"));
    EXPECT_EQ(trace, std::string(pmpp_trace::kOpeningFlag) + pmpp_trace::kClosingFlag);
    EXPECT_EQ(frame.octets, (Bytes{0x7E, 0x05, 0x7E}));
    EXPECT_EQ(frame.time_stamp, "t3");

    // Two flags in a row are an empty frame: dropped, and the second flag
    // opens the next frame, so the line keeps its frames after noise.
    Raw_Message shared;
    for (const uint8_t octet : {0x7E, 0x7E, 0x7E}) EXPECT_FALSE(pmpp.add_received_octet(shared, octet, "t"));
    EXPECT_EQ(shared.octets, Bytes{0x7E});
    EXPECT_FALSE(pmpp.add_received_octet(shared, 0x05, "t"));
    EXPECT_TRUE(pmpp.add_received_octet(shared, 0x7E, "t"));
    EXPECT_EQ(shared.octets, (Bytes{0x7E, 0x05, 0x7E}));
    // Handed over whole, two flags are a frame with no FCS.
    EXPECT_EQ(refusal<CRCException>({0x7E, 0x7E}), pmpp_error::kCrcCannotBeValidated) << "two flags";
}

TEST_F(Pmpp, AFrameThatNeverClosesIsDroppedAtTheLongestFrame) {
    Raw_Message frame;
    pmpp.add_received_octet(frame, 0x7E, "t");
    // The longest frame accepted: every octet but the closing flag fits.
    for (size_t i = 2; i < PMPP::kLongestReceivedFrame; ++i) ASSERT_FALSE(pmpp.add_received_octet(frame, 0x30, "t"));
    EXPECT_EQ(thrown_text<InvalidLengthException>([&] { pmpp.add_received_octet(frame, 0x30, "t"); }),
              pmpp_error::kReceivedFrameTooLong);
    EXPECT_TRUE(frame.octets.empty());
    EXPECT_THROW(pmpp.add_received_octet(frame, 0x30, "t"), InvalidByteSequenceException);

    pmpp.add_received_octet(frame, 0x7E, "t");
    for (size_t i = 2; i < PMPP::kLongestReceivedFrame; ++i) pmpp.add_received_octet(frame, 0x30, "t");
    EXPECT_TRUE(pmpp.add_received_octet(frame, 0x7E, "t"));
    EXPECT_EQ(frame.octets.size(), PMPP::kLongestReceivedFrame);
}

TEST_F(Pmpp, SettingsWithoutASwitchFrameAsWithoutInjection) {
    EXPECT_EQ(pmpp.encode(Bytes{0x30, 0x00}, 255, 0, "Class B", Error_Mode{{}, 1}.frame_faults()).octets,
              encode({0x30, 0x00}, 255).octets);
    EXPECT_EQ(inject({}, {0x30, 0x00}).octets, encode({0x30, 0x00}).octets);
}

TEST_F(Pmpp, ActiveInjectionAlwaysSendsControlIpiAndInformation) {
    // Manual editing changes no octet, but the settings are active.
    const Sent_Frame sent = inject(mode_with({Error_Switch::edit_messages_manually}), {0x30}, 255);
    EXPECT_EQ(sent.octets, framed({0x05, 0x33, 0x13, 0xC1, 0x30}));
    EXPECT_EQ(sent.ipi_length, 1);
}

TEST_F(Pmpp, EachInjectedErrorChangesItsField) {
    const Bytes information{0x30, 0x11, 0x22, 0xFF};
    {
        restart();
        const Raw_Message got = decoded(inject(mode_with({Error_Switch::invalid_address_field}), information).octets);
        EXPECT_NE(got.address, HDLC_Addr(1, false));
        EXPECT_EQ(got.information, information);
    }
    {
        restart();
        // The control octet is drawn, and is never the one sent normally.
        const Sent_Frame sent = inject(mode_with({Error_Switch::invalid_control_field}), information);
        const uint8_t control = static_cast<uint8_t>(0x14 + replay.below(251));
        EXPECT_EQ(sent.octets, framed({0x05, control, 0xC1, 0x30, 0x11, 0x22, 0xFF}));
        EXPECT_NE(control, 0x13);
    }
    {
        restart();
        const Raw_Message got = decoded(inject(mode_with({Error_Switch::add_extra_byte}), information).octets);
        EXPECT_EQ(got.information, (Bytes{0x30, 0x11, 0x22, 0xFF, 0x58}));
    }
    {
        restart();
        // Removing is left out when an extra octet is added.
        const Raw_Message got = decoded(
            inject(mode_with({Error_Switch::add_extra_byte, Error_Switch::remove_random_byte}), information).octets);
        EXPECT_EQ(got.information, (Bytes{0x30, 0x11, 0x22, 0xFF, 0x58}));
    }
    {
        restart();
        const Raw_Message got = decoded(inject(mode_with({Error_Switch::remove_random_byte}), information).octets);
        Bytes expected = information;
        expected.erase(expected.begin() + replay.below(4));
        EXPECT_EQ(got.information, expected);
    }
    {
        restart();
        const Raw_Message got = decoded(inject(mode_with({Error_Switch::change_random_byte}), {0xFF}).octets);
        EXPECT_EQ(got.information, Bytes{0x00});  // increased modulo 256
    }
    {
        restart();
        const Sent_Frame sent = inject(mode_with({Error_Switch::invalid_crc}), information);
        const Bytes fields{0x05, 0x13, 0xC1, 0x30, 0x11, 0x22, 0xFF};
        EXPECT_EQ(sent.octets,
                  framed_with_fcs(fields, static_cast<uint16_t>(CRC::calculate(fields) + 1 + replay.below(5000))));
        EXPECT_EQ(refusal<CRCException>(sent.octets), pmpp_error::kInvalidCrc) << "invalid CRC";
    }
}

TEST_F(Pmpp, InjectedChangesTakeTheirDrawsInFrameOrder) {
    // Address, control, removed octet, changed octet, FCS offset: one draw
    // each from the one generator, in that order.
    const Error_Mode all =
        mode_with({Error_Switch::invalid_address_field, Error_Switch::invalid_control_field,
                   Error_Switch::remove_random_byte, Error_Switch::change_random_byte, Error_Switch::invalid_crc});
    const Bytes information{0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37};
    for (int frame = 0; frame < 20; ++frame) {
        const Sent_Frame sent = inject(all, information, 1);

        HDLC_Addr address;
        do address = HDLC_Addr(static_cast<int32_t>(replay.below(8192)), false);
        while (address == HDLC_Addr(1, false));
        Bytes fields = address.octets();
        fields.push_back(static_cast<uint8_t>(0x14 + replay.below(251)));
        fields.push_back(0xC1);
        Bytes changed = information;
        changed.erase(changed.begin() + replay.below(8));
        ++changed[replay.below(7)];
        fields.insert(fields.end(), changed.begin(), changed.end());
        const uint16_t fcs = static_cast<uint16_t>(CRC::calculate(fields) + 1 + replay.below(5000));
        ASSERT_EQ(sent.octets, framed_with_fcs(fields, fcs)) << "frame " << frame;
    }
}

TEST_F(Pmpp, AnEmptyInformationFieldStaysEmptyAndDrawsNothing) {
    const Sent_Frame sent = inject(
        mode_with({Error_Switch::remove_random_byte, Error_Switch::change_random_byte, Error_Switch::invalid_crc}), {});
    const Bytes fields{0x05, 0x13, 0xC1};
    EXPECT_EQ(sent.octets,
              framed_with_fcs(fields, static_cast<uint16_t>(CRC::calculate(fields) + 1 + replay.below(5000))));
}

}  // namespace
