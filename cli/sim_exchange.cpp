#include "cli/sim_exchange.h"

#include <algorithm>
#include <cctype>

Sim_Exchange::Sim_Exchange(Sim_Exchange_Settings settings, Trace trace)
    : settings_(settings), trace_(std::move(trace)) {}

std::string Sim_Exchange::digits_of(const std::string& number) {
    std::string digits;
    for (const char c : number) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '*' || c == '#' || (upper >= 'A' && upper <= 'D'))
            digits.push_back(upper);
    }
    return digits;
}

Sim_Modem& Sim_Exchange::add_modem(const std::string& number, Sim_Modem_Profile profile) {
    lines_.push_back(Line{std::make_unique<Sim_Modem>(digits_of(number), *this, profile), true});
    return *lines_.back().modem;
}

void Sim_Exchange::add_number(const std::string& number, Number_Kind kind) { numbers_[digits_of(number)] = kind; }

bool Sim_Exchange::set_dial_tone(const std::string& number, bool present) {
    Line* line = line_of(digits_of(number));
    if (line == nullptr) return false;
    line->dial_tone = present;
    return true;
}

std::vector<Sim_Modem*> Sim_Exchange::modems() const {
    std::vector<Sim_Modem*> all;
    for (const Line& line : lines_) all.push_back(line.modem.get());
    return all;
}

Sim_Exchange::Line* Sim_Exchange::line_of(const std::string& digits) {
    for (Line& line : lines_)
        if (line.modem->number() == digits) return &line;
    return nullptr;
}

const Sim_Exchange::Line* Sim_Exchange::line_of(const Sim_Modem& modem) const {
    for (const Line& line : lines_)
        if (line.modem.get() == &modem) return &line;
    return nullptr;
}

std::vector<Sim_Exchange::Call>::iterator Sim_Exchange::call_of(const Sim_Modem& modem) {
    return std::find_if(calls_.begin(), calls_.end(),
                        [&](const Call& call) { return call.caller == &modem || call.callee == &modem; });
}

bool Sim_Exchange::dial_tone(const Sim_Modem& modem) const {
    const Line* line = line_of(modem);
    const bool present = line != nullptr && line->dial_tone;
    if (!present) trace_(modem.number() + " has no dial tone");
    return present;
}

void Sim_Exchange::call(Sim_Modem& caller, const std::string& digits) {
    trace_(caller.number() + " dials " + digits);
    Call call{&caller, nullptr, digits, 0, now_, false, now_, false};
    if (Line* line = line_of(digits); line != nullptr) {
        if (line->modem.get() == &caller || !line->modem->can_be_called()) {
            trace_(digits + " is busy");
            caller.call_failed(Result_Code::busy);
            return;
        }
        call.callee = line->modem.get();
    } else if (const auto number = numbers_.find(digits); number != numbers_.end()) {
        if (number->second == Number_Kind::busy) {
            trace_(digits + " is busy");
            caller.call_failed(Result_Code::busy);
            return;
        }
    } else {
        trace_(digits + " is not a number");
        caller.call_failed(Result_Code::no_carrier);
        return;
    }
    calls_.push_back(call);
}

void Sim_Exchange::answer(Sim_Modem& callee) {
    const auto call = call_of(callee);
    if (call == calls_.end() || call->callee != &callee || call->answered) return;
    trace_(callee.number() + " answers");
    call->answered = true;
    call->connect_at = now_ + settings_.connect_time;
}

void Sim_Exchange::hang_up(Sim_Modem& modem) {
    const auto call = call_of(modem);
    if (call == calls_.end()) return;
    const Call ended = *call;
    calls_.erase(call);
    trace_("call " + ended.caller->number() + " -> " + ended.digits + " ended by " + modem.number());
    Sim_Modem* other = ended.caller == &modem ? ended.callee : ended.caller;
    if (other == nullptr) return;
    if (other == ended.callee && !ended.answered)
        other->ringing_stopped();
    else
        other->carrier_lost();
}

bool Sim_Exchange::drop(const std::string& number) {
    const std::string digits = digits_of(number);
    Line* line = line_of(digits);
    if (line == nullptr) return false;
    const auto call = call_of(*line->modem);
    if (call == calls_.end()) return false;
    const Call dropped = *call;
    calls_.erase(call);
    trace_("carrier dropped on the call " + dropped.caller->number() + " -> " + dropped.digits);
    dropped.caller->carrier_lost();
    if (dropped.callee != nullptr) {
        if (dropped.answered)
            dropped.callee->carrier_lost();
        else
            dropped.callee->ringing_stopped();
    }
    return true;
}

void Sim_Exchange::send(Sim_Modem& from, std::span<const uint8_t> octets) {
    const auto call = call_of(from);
    if (call == calls_.end() || !call->up) return;
    Sim_Modem* to = call->caller == &from ? call->callee : call->caller;
    if (to != nullptr) to->from_line(octets);
}

void Sim_Exchange::tick(Sim_Clock::time_point now) {
    now_ = now;
    for (size_t i = 0; i < calls_.size();) {
        if (calls_[i].answered) {
            if (!calls_[i].up && now >= calls_[i].connect_at) {
                calls_[i].up = true;
                trace_("call " + calls_[i].caller->number() + " -> " + calls_[i].digits + " connected");
                calls_[i].caller->call_connected();
                calls_[i].callee->call_connected();
            }
            ++i;
            continue;
        }
        if (now < calls_[i].next_ring) {
            ++i;
            continue;
        }
        if (calls_[i].rings >= settings_.rings_before_no_answer) {
            const Call unanswered = calls_[i];
            calls_.erase(calls_.begin() + static_cast<std::ptrdiff_t>(i));
            trace_(unanswered.digits + " does not answer");
            unanswered.caller->call_failed(Result_Code::no_answer);
            if (unanswered.callee != nullptr) unanswered.callee->ringing_stopped();
            continue;
        }
        ++calls_[i].rings;
        calls_[i].next_ring += settings_.ring_interval;
        trace_(calls_[i].digits + " rings");
        // The ring may answer at once (auto-answer), which marks this call.
        if (Sim_Modem* callee = calls_[i].callee; callee != nullptr) callee->ring();
        ++i;
    }
}
