// Output that cannot be written and input that cannot be read are reported, never taken for
// success or for an empty input.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/cli/cli_run.h"

namespace {

using quorvel::test::runCli;

std::string readAll(FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c = 0; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    return text;
}

std::string writeFailure(int error) {
    return std::string("quorvel-cli: cannot write output: ") + std::strerror(error) + "\n";
}

TEST(OutputFailure, EveryCommandReportsAFailedWrite) {
    const std::string folder = quorvel::test::makeFolder();
    {
        FILE* data = std::fopen((folder + "/DATA.CSV").c_str(), "w");
        std::fputs("a,1,0,1990,5,20,10,\n", data);
        std::fclose(data);
    }
    const char* commands[] = {
        "chart --sex male 1990-05-20 10",
        "chart --json --sex male 1990-05-20 10",
        "chart --json --batch </dev/null",  // nothing to answer, nothing to fail
        "chart --json --batch <DATA.CSV",
        "chart --record 1",
        "records",
        "judge 甲子 甲午",
        "hexagram 甲子 乙丑",
        "avoid 甲子 庚午",
        "--help",
        "chart --help",
        "--version",
    };
    const struct {
        const char* redirection;
        int error;
    } sinks[] = {{">/dev/full", ENOSPC}, {">&-", EBADF}};
    for (const char* command : commands) {
        for (const auto& sink : sinks) {
            const auto run = runCli(std::string(command) + " " + sink.redirection, folder);
            const bool silent = std::strstr(command, "</dev/null") != nullptr;
            EXPECT_EQ(run.status, silent ? 0 : 1) << command << " " << sink.redirection;
            EXPECT_EQ(run.err, silent ? "" : writeFailure(sink.error))
                << command << " " << sink.redirection;
        }
    }
    // A refusal writes nothing to the failing stream: its own status and message stand.
    const auto refused = runCli("chart --sex male 1990-02-30 10 >/dev/full");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "データエラー\n");
    std::filesystem::remove_all(folder);
}

TEST(InputFailure, AnUnreadableInputIsReportedNotTakenAsEmpty) {
    const struct {
        const char* args;
        int status;
        std::string err;
    } cases[] = {
        {"chart --json --batch </", 1,
         std::string("quorvel-cli: cannot read input: ") + std::strerror(EISDIR) + "\n"},
        {"chart --json --batch <&-", 1,
         std::string("quorvel-cli: cannot read input: ") + std::strerror(EBADF) + "\n"},
        {"chart --sex male 1990-05-20 10 <&- >/dev/null", 0, ""},  // only the batch reads
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
    }
}

// `quorvel-cli chart --json --batch` in a child, its standard input and output on pipes (or
// output to a file) and its standard error in a file.
class Batch {
  public:
    Batch(bool ignorePipeSignal, int outputFile) {
        int in[2];
        int out[2] = {-1, -1};
        errFile_ = std::tmpfile();
        if (::pipe(in) != 0 || (outputFile < 0 && ::pipe(out) != 0)) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            if (ignorePipeSignal) {
                ::signal(SIGPIPE, SIG_IGN);
            }
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(outputFile >= 0 ? outputFile : out[1], STDOUT_FILENO);
            ::dup2(fileno(errFile_), STDERR_FILENO);
            ::closefrom(3);
            ::execl(QUORVEL_CLI_PATH, QUORVEL_CLI_PATH, "chart", "--json", "--batch", nullptr);
            ::_exit(127);
        }
        ::close(in[0]);
        input_ = in[1];
        if (outputFile < 0) {
            ::close(out[1]);
            output_ = out[0];
        }
    }
    ~Batch() {
        closeInput();
        closeOutput();
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        std::fclose(errFile_);
    }

    bool started() const { return pid_ > 0; }
    // False once the child has stopped reading.
    bool write(const std::string& text) {
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(input_, text.data() + done, text.size() - done);
            if (n < 0) {
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    // A line of output, or what came before a 10-second wait ran out.
    std::string readLine() {
        std::string line;
        char c = 0;
        pollfd ready{output_, POLLIN, 0};
        while (::poll(&ready, 1, 10000) == 1 && ::read(output_, &c, 1) == 1) {
            line += c;
            if (c == '\n') {
                break;
            }
        }
        return line;
    }
    void closeInput() { closeFd(input_); }
    void closeOutput() { closeFd(output_); }
    // The exit status; `maxRssKb` the child's peak resident memory.
    int wait(long& maxRssKb) {
        closeInput();
        int status = 0;
        rusage usage{};
        ::wait4(pid_, &status, 0, &usage);
        pid_ = -1;
        maxRssKb = usage.ru_maxrss;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::string errors() { return readAll(errFile_); }

  private:
    static void closeFd(int& fd) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    FILE* errFile_ = nullptr;
};

// Writing to a child that has gone must fail here, not end the test program.
class IgnoringPipeSignal : public ::testing::Test {
  protected:
    void SetUp() override { previous_ = ::signal(SIGPIPE, SIG_IGN); }
    void TearDown() override { ::signal(SIGPIPE, previous_); }

  private:
    sighandler_t previous_ = SIG_DFL;
};

constexpr const char* kValidLine = "1990-05-20 10 male\n";

TEST_F(IgnoringPipeSignal, BatchStopsReadingWhenItsReaderIsGone) {
    Batch batch(true, -1);
    ASSERT_TRUE(batch.started());
    std::string lines;
    for (int i = 0; i < 4096; ++i) {
        lines += kValidLine;
    }
    ASSERT_TRUE(batch.write(lines));
    EXPECT_EQ(batch.readLine().rfind("{\"year\":", 0), 0u);
    batch.closeOutput();
    // An endless input, in effect; the batch has to stop on its own.
    std::size_t written = 0;
    while (written < (std::size_t{1} << 30) && batch.write(lines)) {
        written += lines.size();
    }
    EXPECT_LT(written, std::size_t{1} << 30) << "still reading after its output was gone";
    long maxRssKb = 0;
    EXPECT_EQ(batch.wait(maxRssKb), 1);
    EXPECT_EQ(batch.errors(), writeFailure(EPIPE));
}

TEST_F(IgnoringPipeSignal, BatchAnswersEachLineAsItComes) {
    Batch batch(false, -1);
    ASSERT_TRUE(batch.started());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(batch.write(kValidLine));
        EXPECT_EQ(batch.readLine().rfind("{\"year\":\"庚午\"", 0), 0u) << i;
    }
    long maxRssKb = 0;
    EXPECT_EQ(batch.wait(maxRssKb), 0);
}

// A line with no end in sight is skipped as it streams: memory stays flat and every other
// line is answered.
TEST_F(IgnoringPipeSignal, AnEndlessLineTakesNoMemory) {
    const auto peakKb = [](std::size_t lineBytes, std::string& out) {
        FILE* file = std::tmpfile();
        long maxRssKb = 0;
        {
            Batch batch(false, fileno(file));
            EXPECT_TRUE(batch.started());
            EXPECT_TRUE(batch.write(kValidLine));
            const std::string chunk(1 << 16, 'x');
            for (std::size_t sent = 0; sent < lineBytes; sent += chunk.size()) {
                EXPECT_TRUE(batch.write(chunk));
            }
            EXPECT_TRUE(batch.write(std::string("\n") + kValidLine));
            EXPECT_EQ(batch.wait(maxRssKb), 0);
        }
        out = readAll(file);
        std::fclose(file);
        return maxRssKb;
    };
    std::string out;
    const long shortLineKb = peakKb(1 << 16, out);
    const long endlessLineKb = peakKb(std::size_t{64} << 20, out);
    const std::string answer = out.substr(0, out.find('\n') + 1);
    EXPECT_EQ(answer.rfind("{\"year\":\"庚午\"", 0), 0u);
    EXPECT_EQ(out, answer + "{\"error\":\"データエラー\"}\n" + answer);
    EXPECT_LT(endlessLineKb - shortLineKb, 8 * 1024)
        << "peak " << endlessLineKb << " KiB against " << shortLineKb << " KiB";
}

}  // namespace
