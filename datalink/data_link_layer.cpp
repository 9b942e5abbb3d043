#include "datalink/data_link_layer.h"

namespace {

// The framer of a link that has none here: it takes no octet, completes no
// frame and frames no message.
class No_Framer final : public Framer {
public:
    std::optional<Sent_Frame> frame_message(std::span<const uint8_t>, int32_t, int32_t, std::string_view,
                                            const Frame_Faults&) const override {
        return std::nullopt;
    }
    Decode_Result decode(Raw_Message&) const override { return {}; }
    bool add_received_octet(Raw_Message&, uint8_t, std::string_view) const override { return false; }
};

const No_Framer kNoFramer;

}  // namespace

Data_Link_Layer::Data_Link_Layer(Random_Source& random, Diagnostic_Trace trace) : pmpp_(random, std::move(trace)), unframed_(random) {}

const Framer& Data_Link_Layer::framer(Link_Type link) const {
    switch (link) {
        case Link_Type::pmpp: return pmpp_;
        case Link_Type::none: return unframed_;
        case Link_Type::ppp: return ppp_ != nullptr ? *ppp_ : kNoFramer;
        default: return kNoFramer;
    }
}
