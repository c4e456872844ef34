#pragma once
// Runs a shell command and gives its standard output and exit status.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace quorvel::test {

inline std::string runCommand(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return out;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, got);
    }
    status = WEXITSTATUS(pclose(pipe));
    return out;
}

}  // namespace quorvel::test
