#include "ui/call_log.h"

Call_Log::Call_Log() : file_(std::fopen(kFileName, "w")) {}

Call_Log::~Call_Log() {
    if (file_ != nullptr) std::fclose(file_);
}

void Call_Log::write(const QString& line) {
    std::FILE* out = file_ != nullptr ? file_ : stderr;
    std::fputs(line.toLocal8Bit().constData(), out);
    std::fflush(out);
}
