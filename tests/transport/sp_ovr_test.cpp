#include "transport/sp_ovr.h"

#include <gtest/gtest.h>
#include <poll.h>

#include "base/random_source.h"
#include "datalink/pmpp.h"
#include "tests/support/pty_pair.h"

namespace {

TEST(SpOvr, AStationFrameGoesOutOnTheLineAndComesBackAsTheSameFields) {
    Pty_Pair pty;
    SP_Ovr port{std::chrono::milliseconds(0)};
    port.open(pty.terminal_name(), 9600, 8, 'N', 1);
    port.set_timeouts();
    port.set_dtr(true);
    port.set_rts(true);

    Random_Source random;
    const PMPP pmpp(random);
    const Bytes message{0x30, 0x1A, 0x02, 0x01, 0x00, 0x04, 0x7E, 0x7D, 0xA0, 0x0D};
    const Sent_Frame sent = pmpp.encode(message, 100, 0, "Class B");
    port.write(sent.octets);

    // The far end sees the frame octet for octet and sends it back.
    const Bytes on_the_line = pty.read(sent.octets.size());
    ASSERT_EQ(on_the_line, sent.octets);
    pty.write(on_the_line);

    // The station reads what arrives and assembles it octet by octet.
    Raw_Message frame;
    bool complete = false;
    Bytes buffer(550);
    while (!complete) {
        pollfd entry{port.handle(), POLLIN, 0};
        ASSERT_GT(poll(&entry, 1, static_cast<int>(Pty_Pair::kPatience.count())), 0) << "the frame did not come back";
        size_t count = 0;
        Pending_Read pending;
        Read_Times times;
        port.read(buffer, count, pending, times);
        for (size_t i = 0; i < count && !complete; ++i) complete = pmpp.add_received_octet(frame, buffer[i], times.end);
    }
    EXPECT_EQ(frame.octets, sent.octets);
    EXPECT_EQ(pmpp.decode(frame), (Decode_Result{0, 0xC1}));
    EXPECT_EQ(frame.address, HDLC_Addr(100, false));
    EXPECT_EQ(frame.control, 0x13);
    EXPECT_EQ(frame.information, message);

    port.close();
    EXPECT_EQ(port.handle(), -1);
}

}  // namespace
