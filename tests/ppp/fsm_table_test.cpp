// Every cell of the LCP transition table, written as the RFC 1661 table of
// this station reads, against the table the automaton holds and against
// what the automaton does when the event is raised in that state: the
// packets built and sent, the restart counter and the state after.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "ppp/fsm_table.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

struct Table_Row {
    std::vector<int32_t> events;  // the codes that act as this row
    std::array<const char*, kLcpStateCount> cells;
};

// clang-format off
const Table_Row kTable[] = {
    {{1},          {"2", "irc,scr/6", "=", "=", "=", "=", "=", "=", "=", "="}},
    {{2},          {"=", "=", "0", "tls/1", "0", "1", "1", "1", "1", "tld/1"}},
    {{3},          {"tls/1", "1", "irc,scr/6", "3", "5", "5", "6", "7", "8", "9"}},
    {{4},          {"0", "tlf/0", "2", "2", "4", "4", "irc,str/4", "irc,str/4", "irc,str/4", "tld,irc,str/4"}},
    {{5},          {"=", "=", "=", "=", "str/4", "str/5", "scr/6", "scr/6", "scr/8", "="}},
    {{6},          {"=", "=", "=", "=", "tlf/2", "tlf/3", "tlf/3", "tlf/3", "tlf/3", "="}},
    {{7},          {"=", "=", "sta/2", "irc,scr,sca/8", "4", "5", "sca/8", "sca,tlu/9", "sca/8", "tld,scr,sca/8"}},
    {{8},          {"=", "=", "sta/2", "irc,scr,scn/6", "4", "5", "scn/6", "scn/7", "scn/6", "tld,scr,scn/6"}},
    {{21},         {"=", "=", "sta/2", "irc,scr,scj-rej/6", "4", "5", "scj-rej/6", "scj-rej/7", "scj-rej/6", "tld,scr,scj-rej/6"}},
    {{9},          {"=", "=", "sta/2", "sta/3", "4", "5", "irc/7", "scr/6", "irc,tlu/9", "tld,scr/6"}},
    {{10},         {"=", "=", "sta/2", "sta/3", "4", "5", "irc,scr/6", "scr/6", "irc,scr/8", "tld,scr/6"}},
    {{11},         {"=", "=", "sta/2", "sta/3", "sta/4", "sta/5", "sta/6", "sta/6", "sta/6", "tld,zrc,sta/5"}},
    {{12},         {"=", "=", "2", "3", "tlf/2", "tlf/3", "6", "6", "8", "tld,scr/6"}},
    {{13},         {"=", "=", "scj/2", "scj/3", "scj/4", "scj/5", "scj/6", "scj/7", "scj/8", "scj/9"}},
    {{14, 15},     {"=", "=", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {{16, 17},     {"=", "=", "tlf/2", "tlf/3", "tlf/2", "tlf/3", "tlf/3", "tlf/3", "tlf/3", "tld,irc,str/5"}},
    {{18, 19, 20}, {"=", "=", "2", "3", "4", "5", "6", "7", "8", "ser/9"}},
};
// clang-format on

const std::map<std::string, uint32_t> kActionNames = {
    {"tlu", tlu}, {"tld", tld}, {"tls", tls}, {"tlf", tlf}, {"irc", irc}, {"zrc", zrc}, {"scr", scr},
    {"sca", sca}, {"scn", scn}, {"scj-rej", scj_rej}, {"str", str}, {"sta", sta}, {"scj", scj}, {"ser", ser},
};

// The LCP code each send action builds, in the order a step performs them.
const std::vector<std::pair<uint32_t, int>> kSendCodes = {
    {scr, 1}, {sca, 2}, {scn, 3}, {scj_rej, 4}, {str, 5}, {sta, 6}, {scj, 7}, {ser, 10},
};

Lcp_Transition parse_cell(const std::string& cell, Lcp_State state) {
    if (cell == "=") return {0, state};
    Lcp_Transition transition;
    std::string next = cell;
    const size_t slash = cell.find('/');
    if (slash != std::string::npos) {
        std::stringstream actions(cell.substr(0, slash));
        for (std::string name; std::getline(actions, name, ',');) transition.actions |= kActionNames.at(name);
        next = cell.substr(slash + 1);
    }
    transition.next = static_cast<Lcp_State>(std::stoi(next));
    return transition;
}

// The packets a step with these actions sends: the last send action
// decides; a Configure reply after a Configure-Request in the same step
// goes out after it.
std::vector<int> expected_packets(uint32_t actions) {
    int last = 0;
    uint32_t last_action = 0;
    for (const auto& [action, lcp_code] : kSendCodes)
        if ((actions & action) != 0) last = lcp_code, last_action = action;
    if (last == 0) return {};
    if ((last_action & (sca | scn | scj_rej)) != 0 && (actions & scr) != 0) return {1, last};
    return {last};
}

TEST(Fsm_Table, every_cell_holds_the_actions_and_next_state_of_the_table) {
    for (const Table_Row& row : kTable) {
        for (int32_t event : row.events) {
            for (int32_t s = 0; s < kLcpStateCount; ++s) {
                const auto state = static_cast<Lcp_State>(s);
                SCOPED_TRACE("event " + std::to_string(event) + " in state " + std::string(state_name(s)));
                const Lcp_Transition expected = parse_cell(row.cells[static_cast<size_t>(s)], state);
                const Lcp_Transition held = lcp_transition(event, state);
                EXPECT_EQ(held.actions, expected.actions);
                EXPECT_EQ(held.next, expected.next);
            }
        }
    }
}

TEST(Fsm_Table, raising_each_event_in_each_state_performs_the_cell) {
    for (const Table_Row& row : kTable) {
        for (int32_t event : row.events) {
            for (int32_t s = 0; s < kLcpStateCount; ++s) {
                const auto state = static_cast<Lcp_State>(s);
                SCOPED_TRACE("event " + std::to_string(event) + " in state " + std::string(state_name(s)));
                const Lcp_Transition expected = parse_cell(row.cells[static_cast<size_t>(s)], state);

                Test_Clock clock;
                PPP ppp(clock.source(), seeded_random());
                drive(ppp, route_to(state));
                ASSERT_EQ(ppp.state(), state);
                const int32_t counter_before = ppp.restart_counter();

                const Lcp_Output output = ppp.raise_and_serialise(event);
                EXPECT_EQ(packet_codes(output), expected_packets(expected.actions));
                EXPECT_EQ(ppp.state(), expected.next);
                int32_t counter = counter_before;
                if ((expected.actions & irc) != 0 && (expected.actions & (scr | str)) != 0) counter = 10;
                if ((expected.actions & zrc) != 0) counter = 0;
                EXPECT_EQ(ppp.restart_counter(), counter);
                EXPECT_EQ(ppp.event(), code(Lcp_Event::none));
            }
        }
    }
}

TEST(Fsm_Table, codes_outside_the_table_change_nothing) {
    for (int32_t event : {-1, 0, 22, 100}) {
        for (int32_t s = 0; s < kLcpStateCount; ++s) {
            const auto state = static_cast<Lcp_State>(s);
            EXPECT_EQ(lcp_transition(event, state).actions, 0u);
            EXPECT_EQ(lcp_transition(event, state).next, state);
        }
    }
}

}  // namespace
