// Port names: the COMn names of settings files made elsewhere are the
// serial devices /dev/ttyS(n-1); anything else is a device path.
#include <gtest/gtest.h>

#include "engine/quorvan_engine.h"

namespace {

TEST(Port_Name, ComNamesAreSerialDevicesAndOtherNamesArePaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"},  {"COM12", "/dev/ttyS11"},   {"COM0", "COM0"},
        {"COM", "COM"},          {"COM1a", "COM1a"},         {"com1", "com1"},
        {"/dev/pts/3", "/dev/pts/3"}, {"COM99999999999999999999", "COM99999999999999999999"},
    };
    for (const auto& [name, device] : cases) EXPECT_EQ(device_of_port(name), device) << name;
}

}  // namespace
