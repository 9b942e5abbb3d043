// The receiver times the oldest request out once its whole time-out has
// passed since it was sent, to the millisecond.
#include <gtest/gtest.h>

#include <memory>

#include "base/random_source.h"
#include "codec/error_state.h"
#include "codec/message_content.h"
#include "datalink/data_link_layer.h"
#include "field/error_injection.h"
#include "field/field_device.h"
#include "field/field_device_settings.h"
#include "transport/outstanding_requests.h"
#include "transport/sp_ovr.h"
#include "transport/serial_line.h"
#include "transport/ta_receiver.h"
#include "transport/ta_sender.h"

namespace {

class Response_Time_Out : public ::testing::Test {
protected:
    Response_Time_Out() { receiver.set_display([this](const std::string& text) { shown += text + "\n"; }); }

    // A request sent the given milliseconds ago, waiting for its answer.
    void sent_ago(int64_t milliseconds, bool keep) {
        auto request = std::make_shared<Message_Content>();
        request->set_request_id(7);
        requests.append(request);
        requests.stamp(7, steady_milliseconds() - milliseconds);
        errors.append(7, keep);
    }

    SP_Ovr port{std::chrono::milliseconds(0)};
    Serial_Line line{port, "", 9600};
    TA_Sender sender{line};
    NTCIP_Station station{sender};
    Random_Source random;
    Data_Link_Layer data_link{random};
    Field_Device_Settings settings;
    ErrorInjection injection;
    Field_Device field_device{settings, injection, data_link};
    Outstanding_Requests requests;
    Error_State_List errors;
    TA_Receiver receiver{station, data_link, field_device, requests, errors};
    std::string shown;
};

TEST_F(Response_Time_Out, ARequestWaitsItsWholeTimeOut) {
    // 9.9 s after sending, with 10 s to wait: still waiting, a second to go
    // (rounded up), however the send time fell within its second.
    sent_ago(9900, true);
    EXPECT_EQ(receiver.check_time_out(10), 1);
    EXPECT_FALSE(errors.find(7)->timed_out);
    EXPECT_EQ(requests.head()->request_id(), 7);
    EXPECT_EQ(shown, "");
}

TEST_F(Response_Time_Out, AKeptRecordIsMarkedAndTheRequestDeleted) {
    sent_ago(10000, true);
    EXPECT_EQ(receiver.check_time_out(10), 0);
    EXPECT_TRUE(errors.find(7)->timed_out);
    EXPECT_EQ(requests.head(), nullptr);
    EXPECT_EQ(shown, "Message timed out, deleting request\n");
}

TEST_F(Response_Time_Out, ARecordNotKeptGoesWithTheRequest) {
    sent_ago(10500, false);
    EXPECT_EQ(receiver.check_time_out(10), 0);
    EXPECT_FALSE(errors.find(7).has_value());
    EXPECT_EQ(requests.head(), nullptr);
}

// Neither a request only encoded (never stamped as sent) nor one whose
// record was cleared while it waited may stay at the head for ever: every
// later STMP answer would be charged to it.
TEST_F(Response_Time_Out, NoRequestStaysAtTheHeadForEver) {
    const struct {
        const char* title;
        bool stamped;
        bool record;
    } cases[] = {{"encoded only", false, true}, {"record cleared", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        auto request = std::make_shared<Message_Content>();
        request->set_request_id(7);
        requests.append(request);
        if (c.stamped) requests.stamp(7, steady_milliseconds());
        if (c.record) errors.append(7, true);
        // Timed from when it was encoded: not out yet, then out.
        EXPECT_EQ(receiver.check_time_out(1), 1);
        EXPECT_EQ(requests.head(), request);
        EXPECT_EQ(receiver.check_time_out(0), 0);
        EXPECT_EQ(requests.head(), nullptr);
        EXPECT_EQ(errors.find(7).has_value() && errors.find(7)->timed_out, c.record);
        errors.remove(7);
    }
}

}  // namespace
