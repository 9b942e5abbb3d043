// The receiver as the line feeds it: arbitrary octets, in reads of arbitrary
// size, reach frame assembly, the data link, the codec and the answer step,
// in the central role with requests waiting and in the field role answering
// (on a port that is closed, so the answers go nowhere); as PMPP frames on a
// stream, each read as one UDP datagram, or on a PPP link, where LCP and CHAP
// frames drive the automaton and quiet passes its timer and challenge; STMP
// requests and dynamic objects included; with pauses between reads that cut
// off a frame under assembly, and a hang-up of the line at the end.
// Nothing may escape the receiver, and it must always make progress through
// the octets.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "codec/dynamic_objects.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "dynobj/dyn_obj_table.h"
#include "engine/line.h"
#include "engine/request_book.h"
#include "tests/support/sample_tree.h"

namespace {

std::shared_ptr<Message_Content> waiting_request(ISO_Tree& tree, int32_t id, uint8_t pick) {
    Request_Record record;
    record.protocol = (pick & 8) ? "STMP" : "SNMP";
    record.class_name = "Class B";
    record.community = "Orchid";
    record.request_id = id;
    record.address = 1;
    record.get = (pick & 3) == 0;
    record.get_next = (pick & 3) == 1;
    record.set = (pick & 3) == 2;
    record.objects = {{"demoByte.0", "7", 2}, {"demoName.0", "41", 4}};
    auto request = std::make_shared<Message_Content>();
    auto hold = tree.write_lock();
    request->build_from_request(record, nullptr, tree);
    request->set_send_time(1);
    return request;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    // Dynamic object 1 is demoInteger.0 and demoName.0, so that STMP requests
    // in the field role reach a definition.
    static const Dyn_Obj_Table table = [&] {
        Dyn_Obj_Table made;
        made.initialize(tree);
        sample.set("dynObjStatus.1.1", "1");
        sample.set("dynObjStatus.1.2", "1");
        sample.set("dynObjVariable.1.1", "1.3.6.1.4.1.1206.4.2.99.1.1.0");
        sample.set("dynObjVariable.1.2", "1.3.6.1.4.1.1206.4.2.99.1.6.0");
        return made;
    }();
    static const Dyn_Obj_Table_Objects dynamic_objects(table);
    static const STMF stmf(tree, &dynamic_objects);
    if (size < 2) return 0;

    // The station's line as the engine wires it, on a port never opened.
    Request_Book book;
    Line station_line(book);
    TA_Receiver& receiver = station_line.receiver();
    receiver.set_stmf(&stmf);
    receiver.set_display([](const std::string&) {});

    // The first octet: the role, the kind of the waiting requests, and the
    // size of each read; the second: the error injection of the answers, and
    // (its top bit) another link than PMPP, which a third octet chooses: a PPP
    // link (opened when the role is central) when odd, else datagrams.
    const uint8_t pick = data[0];
    station_line.set_error_mode(Error_Mode{{static_cast<bool>(data[1] & 1), static_cast<bool>(data[1] & 2),
                                            static_cast<bool>(data[1] & 4), false, static_cast<bool>(data[1] & 8),
                                            static_cast<bool>(data[1] & 16), static_cast<bool>(data[1] & 32),
                                            static_cast<bool>(data[1] & 64)},
                                           0});

    Receive_Context context;
    context.role = (pick & 0x80) ? Role::field : Role::central;
    context.time_text = "12:00:00.000";
    context.at_ms = 1;
    const bool other_link = (data[1] & 0x80) != 0;
    if (other_link && size < 3) return 0;
    const bool ppp = other_link && (data[2] & 1) != 0;
    const bool datagrams = other_link && !ppp;
    if (ppp) {
        receiver.set_link(Link_Type::ppp);
        if (context.role == Role::central) receiver.open_ppp(context);
    }
    if (context.role == Role::central) {
        for (int32_t id = 0; id <= 1; ++id) {
            book.enter(id, waiting_request(tree, id, pick), (pick & 4) != 0);
        }
    }

    const size_t read_size = 1 + (pick & 0x70);
    if (datagrams) receiver.set_link(Link_Type::none);
    const size_t header = other_link ? 3 : 2;
    std::span<const uint8_t> line(data + header, size - header);
    while (!line.empty()) {
        std::span<const uint8_t> read = line.first(std::min(read_size, line.size()));
        line = line.subspan(read.size());
        // The clock of the reads: a read whose first octet is odd comes after
        // a pause long enough to cut off the frame under assembly.
        context.at_ms += (read[0] & 1) ? TA_Receiver::kFrameGapMs + 1 : 1;
        if (datagrams) {
            receiver.process_datagram(read, context);
            continue;
        }
        while (!read.empty()) {
            const size_t taken = receiver.process_received_octets(read, context);
            if (taken == 0 || taken > read.size()) std::abort();  // no progress, or more than was given
            read = read.subspan(taken);
        }
        if (ppp) receiver.idle_pass(context);
    }
    receiver.report_stray_octets();
    // The line hangs up with the requests still waiting.
    if (pick & 8) receiver.line_lost();
    receiver.check_time_out(0);
    return 0;
}
