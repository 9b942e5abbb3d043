// A fresh directory under /tmp for one test, removed afterwards, and a way to
// make it the working directory for a while.
#pragma once

#include <string>

class Temp_Dir {
public:
    Temp_Dir();
    ~Temp_Dir();
    Temp_Dir(const Temp_Dir&) = delete;
    Temp_Dir& operator=(const Temp_Dir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& text) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::string path_;
};

// Makes a directory the working directory until it goes out of scope.
class Working_Directory {
public:
    explicit Working_Directory(const std::string& path);
    ~Working_Directory();
    Working_Directory(const Working_Directory&) = delete;
    Working_Directory& operator=(const Working_Directory&) = delete;

private:
    std::string previous_;
};
