// The engine's own names for the PPP link's codes (states, phases, events,
// LCP packets): the windows show them and never keep a copy of their own.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace link_names {
// The engine's text for a code of a kind (QV_LINK_TEXT_*); empty when none.
QString text(int32_t kind, int32_t value);
// A state or phase as the status panel shows it: "Unknown" for a value that
// is none of the automaton's.
QString state_or_unknown(int32_t state);
QString phase_or_unknown(int32_t phase);
// The events the user can raise, in the automaton's table order.
QStringList events();
// The names that choose the LCP packets, by code.
QStringList lcp_packets();
}  // namespace link_names
