// The call log "record1.txt": what the windows asked of the engine and
// what it answered. When the file cannot be created the lines go to the
// standard error stream.
#pragma once

#include <QString>
#include <cstdio>

class Call_Log {
public:
    static constexpr const char* kFileName = "record1.txt";
    Call_Log();
    ~Call_Log();
    Call_Log(const Call_Log&) = delete;
    Call_Log& operator=(const Call_Log&) = delete;

    void write(const QString& line);

private:
    std::FILE* file_;
};
