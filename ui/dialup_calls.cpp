#include "ui/dialup_calls.h"

// Placeholder until the modem's exports are in the interface: no number,
// and a dial that never connects.
namespace dialup_calls {
QString number() { return QString(); }
void set_number(const QString&) {}
int32_t connect() { return 0; }
}  // namespace dialup_calls
