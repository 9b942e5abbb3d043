// Whether this thread is inside the engine: in an export, or in a callback
// the engine makes. Shutdown refuses to run there, since it would wait for
// the call it is part of, or stop the receiver thread from that thread.
#pragma once

class Inside_Engine {
public:
    Inside_Engine() { ++depth_; }
    ~Inside_Engine() { --depth_; }
    Inside_Engine(const Inside_Engine&) = delete;
    Inside_Engine& operator=(const Inside_Engine&) = delete;

    static bool now() { return depth_ > 0; }

private:
    static thread_local int depth_;
};
