// The Hayes result codes the simulated modems give, with their numeric
// (ATV0) and verbose (ATV1) forms.
#pragma once

#include <cstdint>
#include <string_view>

enum class Result_Code : uint8_t {
    ok = 0,
    connect = 1,
    ring = 2,
    no_carrier = 3,
    error = 4,
    no_dialtone = 6,
    busy = 7,
    no_answer = 8,
};

constexpr std::string_view result_text(Result_Code code) {
    switch (code) {
        case Result_Code::ok: return "OK";
        case Result_Code::connect: return "CONNECT";
        case Result_Code::ring: return "RING";
        case Result_Code::no_carrier: return "NO CARRIER";
        case Result_Code::error: return "ERROR";
        case Result_Code::no_dialtone: return "NO DIALTONE";
        case Result_Code::busy: return "BUSY";
        case Result_Code::no_answer: return "NO ANSWER";
    }
    return "ERROR";
}
