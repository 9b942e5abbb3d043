// The values of the ten sample objects that the codec benchmarks put in one
// message: every syntax of the sample, at sizes typical of a device.
#pragma once

#include "tests/support/sample_tree.h"

inline void set_ten_values(Sample_Tree& sample) {
    sample.set("demoInteger.0", "123456");
    sample.set("demoByte.0", "200");
    sample.set("demoTemperature.0", "-12");
    sample.set("demoMode.0", "2");
    sample.set("demoOctets.0", "00 01 02 03");
    sample.set("demoName.0", "51 75 6F 72 76 61 6E 20 64 65 6D 6F");
    sample.set("demoObjectId.0", "1.3.6.1.4.1.1206.4.2.99");
    sample.set("demoGauge.0", "4000000000");
    sample.set("demoTicks.0", "8640000");
    sample.set("demoAddress.0", "C0 A8 00 01");
}
