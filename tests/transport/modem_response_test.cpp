#include "transport/modem_response.h"

#include <gtest/gtest.h>

namespace {

using Octets = std::vector<uint8_t>;

Octets octets(std::string_view text) { return Octets(text.begin(), text.end()); }

TEST(Modem_Response, ResultCodesInBothFormsAndEverythingElseIsOther) {
    const std::vector<std::pair<std::string, Modem_Response>> cases = {
        {"OK", Modem_Response::ok},
        {"0", Modem_Response::ok},
        {"CONNECT", Modem_Response::connect},
        {"CONNECT 9600", Modem_Response::connect},
        {"CONNECT 33600/ARQ", Modem_Response::connect},
        {"1", Modem_Response::connect},
        {"5", Modem_Response::connect},
        {"12", Modem_Response::connect},
        {"RING", Modem_Response::ring},
        {"2", Modem_Response::ring},
        {"NO CARRIER", Modem_Response::no_carrier},
        {"3", Modem_Response::no_carrier},
        {"ERROR", Modem_Response::error},
        {"4", Modem_Response::error},
        {"NO DIALTONE", Modem_Response::no_dialtone},
        {"6", Modem_Response::no_dialtone},
        {"BUSY", Modem_Response::busy},
        {"7", Modem_Response::busy},
        {"NO ANSWER", Modem_Response::no_answer},
        {"8", Modem_Response::no_answer},
        {" OK ", Modem_Response::ok},
        {"ATDT5550100", Modem_Response::other},  // an echo
        {"CONNECTED", Modem_Response::other},
        {"OKAY", Modem_Response::other},
        {"100", Modem_Response::other},
        {"ok", Modem_Response::other},
    };
    for (const auto& [line, response] : cases) EXPECT_EQ(classify_modem_line(line), response) << line;
}

TEST(Modem_Response, LinesEndAtEitherLineEndAndTheRestAfterConnectIsData) {
    Modem_Line_Reader reader;
    reader.feed(octets("ATD5\r\r\nBU"));
    std::string line;
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "ATD5");
    EXPECT_FALSE(reader.next_line(line));
    reader.feed(octets("SY\r\n\r\nCONNECT 9600\r\n~\x7d\r\n"));
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "BUSY");
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "CONNECT 9600");
    EXPECT_EQ(reader.take_rest(), octets("~\x7d\r\n"));
}

TEST(Modem_Response, AnEndlessLineKeepsOnlyItsStart) {
    Modem_Line_Reader reader;
    for (int i = 0; i < 1000; ++i) reader.feed(octets("NO CARRIER NO CARRIER "));
    reader.feed(octets("\r"));
    std::string line;
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line.size(), Modem_Line_Reader::kMaxLine);
    EXPECT_EQ(classify_modem_line(line), Modem_Response::other);
}

TEST(Modem_Response, TheNoCarrierLineIsFoundAcrossReads) {
    Carrier_Loss_Watch watch;
    EXPECT_FALSE(watch.seen_in(octets("~data NO CARRIER in a value~")));
    EXPECT_FALSE(watch.seen_in(octets("\r\nNO CAR")));
    EXPECT_TRUE(watch.seen_in(octets("RIER\r\n")));
    watch.clear();
    EXPECT_FALSE(watch.seen_in(octets("RIER\r\n")));
}

}  // namespace
