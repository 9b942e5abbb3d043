#include "ui/link_names.h"

#include <cstdlib>

#include "quorvan.h"
#include "ui/texts.h"

namespace link_names {
namespace {
// The event codes in the order of the transition table: RCR-(rej) (21)
// follows RCR-(nak); 15, 17, 19 and 20 act as 14, 16 and 18 and are not
// offered twice.
constexpr int32_t kEventCodes[] = {1, 2, 3, 4, 5, 6, 7, 8, 21, 9, 10, 11, 12, 13, 14, 16, 18};
// The engine's state text for a value outside the automaton.
constexpr int32_t kNoState = -1;
}  // namespace

QString text(int32_t kind, int32_t value) {
    char* engine_text = GetLinkText(kind, value);
    const QString shown = engine_text != nullptr ? QString::fromLatin1(engine_text) : QString();
    std::free(engine_text);
    return shown;
}

QString state_or_unknown(int32_t state) {
    const QString name = text(QV_LINK_TEXT_STATE, state);
    return name.isEmpty() || name == text(QV_LINK_TEXT_STATE, kNoState) ? QString(texts::kUnknown) : name;
}

QString phase_or_unknown(int32_t phase) {
    const QString name = text(QV_LINK_TEXT_PHASE, phase);
    return name.isEmpty() ? QString(texts::kUnknown) : name;
}

QStringList events() {
    QStringList names;
    for (int32_t code : kEventCodes) names << text(QV_LINK_TEXT_EVENT, code);
    return names;
}

QStringList lcp_packets() {
    QStringList names;
    for (int32_t code = 1;; ++code) {
        const QString name = text(QV_LINK_TEXT_LCP_PACKET, code);
        if (name.isEmpty()) break;
        names << name;
    }
    return names;
}
}  // namespace link_names
