#include "datalink/information_faults.h"

#include "base/random_source.h"
#include "datalink/pmpp_format.h"

void inject_information_errors(const Frame_Faults& faults, Bytes& information, Random_Source& random) {
    if (faults.extra_byte) {
        information.push_back(pmpp::kExtraOctet);
    } else if (faults.remove_byte && !information.empty()) {
        information.erase(information.begin() + random.below(static_cast<uint32_t>(information.size())));
    }
    if (faults.change_byte && !information.empty())
        ++information[random.below(static_cast<uint32_t>(information.size()))];
}
