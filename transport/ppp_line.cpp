#include "transport/ppp_line.h"

#include "base/throwable.h"

Ppp_Line::Ppp_Line(NTCIP_Station& station, const Framer& octet_assembly, Random_Below random)
    : station_(station),
      ppp_(random),
      link_(ppp_, *this, [this](std::string_view text) { show(text); }),
      framer_(octet_assembly, std::move(random)) {}

Ppp_Line::Use::Use(Ppp_Line& line, Connection_Type connection, Ppp_Output output)
    : line_(line), connection_(line.connection_), output_(std::move(line.output_)), failed_(line.failed_) {
    line_.connection_ = connection;
    line_.output_ = std::move(output);
    line_.failed_ = false;
}

// A use inside another (a callback driving the link) gives the outer one
// its output back.
Ppp_Line::Use::~Use() {
    line_.connection_ = connection_;
    line_.output_ = std::move(output_);
    line_.failed_ = failed_;
}

void Ppp_Line::send_frame(const Ppp_Bytes& frame, std::string_view label) {
    bool sent = false;
    try {
        sent = station_.send(frame, connection_);
    } catch (const Throwable&) {
    }
    failed_ |= !sent;
    if (output_.frame) output_.frame(frame, label, sent);
}
