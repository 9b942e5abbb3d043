// The PPP layer of a line: the automaton with its CHAP state, the link that
// frames and sends what it builds, and the framer that carries NTCIP
// messages beside PMPP's. One lives as long as the line; the receiver thread
// drives it with frames and idle passes, the engine's calls drive it by
// hand. Each user holds the link lock and says, for the time of its use,
// where the frames go and how they are shown.
#pragma once

#include <functional>
#include <string_view>

#include "ppp/ppp.h"
#include "ppp/ppp_framer.h"
#include "ppp/ppp_link.h"
#include "transport/line_display.h"
#include "transport/ta_sender.h"

// How one user of the link shows what it does: the layer's texts, and each
// frame with its label, sent or not.
struct Ppp_Output {
    Display text;
    std::function<void(const Ppp_Bytes& frame, std::string_view label, bool sent)> frame;
};

class Ppp_Line final : private Frame_Sink {
public:
    Ppp_Line(NTCIP_Station& station, const Framer& octet_assembly, Random_Below random);

    // For the life of a Use (the link lock held), the link's frames go out on
    // the connection and are shown through the output.
    class Use {
    public:
        Use(Ppp_Line& line, Connection_Type connection, Ppp_Output output);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        // Whether every frame of this use went out.
        bool all_sent() const { return !line_.failed_; }

    private:
        Ppp_Line& line_;
        Connection_Type connection_;
        Ppp_Output output_;
        bool failed_;
    };

    PPP& ppp() { return ppp_; }
    const PPP& ppp() const { return ppp_; }
    Ppp_Link& link() { return link_; }
    const Framer& framer() const { return framer_; }

private:
    void send_frame(const Ppp_Bytes& frame, std::string_view label) override;
    void show(std::string_view text) const {
        if (output_.text) output_.text(std::string(text));
    }

    NTCIP_Station& station_;
    PPP ppp_;
    Ppp_Link link_;
    Ppp_Framer framer_;
    Connection_Type connection_ = Connection_Type::serial;
    Ppp_Output output_;
    bool failed_ = false;
};
