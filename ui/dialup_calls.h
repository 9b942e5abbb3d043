// The modem's engine calls as the tool window uses them: the number to dial,
// and the dial itself.
#pragma once

#include <QString>
#include <cstdint>

namespace dialup_calls {
QString number();
void set_number(const QString& number);
// Dials; 1 when the call is connected.
int32_t connect();
}  // namespace dialup_calls
