#pragma once
// Runs quorvel-cli through the shell, keeping its exit status and both of its streams.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/run_command.h"

namespace quorvel::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// `args` is shell text after the program's name; it may hold redirections of its own.
inline CliRun runCli(const std::string& args, const std::string& folder = {}) {
    char errPath[] = "/tmp/quorvel-cli-test-XXXXXX";
    const int fd = ::mkstemp(errPath);
    ::close(fd);
    const std::string cd = folder.empty() ? "" : "cd '" + folder + "' && ";
    CliRun run;
    run.out = runCommand(cd + QUORVEL_CLI_PATH + " " + args + " 2>" + errPath, run.status);
    std::ifstream err(errPath, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    ::unlink(errPath);
    return run;
}

// A fresh folder under the test's temporary folder.
inline std::string makeFolder() {
    std::string path = ::testing::TempDir() + "quorvel-cli-XXXXXX";
    return ::mkdtemp(path.data()) != nullptr ? path : std::string();
}

}  // namespace quorvel::test
