#include "consultation/output_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/sjis.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::sjis;
using Names = std::set<std::string>;

constexpr uid_t kNobody = 65534;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& path, const std::string& content, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << content;
    fs::permissions(path, static_cast<fs::perms>(mode));
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

Names entries(const fs::path& folder = ".") {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

bool isRoot() {
    return ::geteuid() == 0;
}

// Runs `job` in a child process, so that what it changes about the process (its user, its limits)
// stays there; nullopt when the child could not make those changes.
std::optional<bool> inChild(const std::function<std::optional<bool>()>& job) {
    const pid_t child = ::fork();
    if (child == 0) {
        const std::optional<bool> result = job();
        ::_exit(!result ? 2 : *result ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 2) {
        return std::nullopt;
    }
    return WEXITSTATUS(status) == 0;
}

// Root passes every permission check, so the rules about them are seen as an ordinary user.
std::optional<bool> writeUnprivileged(const std::string& name, const std::string& text) {
    if (!isRoot()) {
        return writeOutputFile(name, text);
    }
    return inChild([&]() -> std::optional<bool> {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            return std::nullopt;
        }
        return writeOutputFile(name, text);
    });
}

class OutputFile : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "quorvel-output-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        fs::permissions(folder_, static_cast<fs::perms>(0755));  // open to the unprivileged child
        fs::current_path(folder_);
    }

    void TearDown() override {
        fs::current_path(previous_);
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
            if (entry.is_directory() && !entry.is_symlink()) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
            }
        }
        fs::remove_all(folder_);
    }

    static void clearFolder() {
        for (const auto& entry : fs::directory_iterator(".")) {
            fs::remove_all(entry.path());
        }
    }

    fs::path folder_;

  private:
    fs::path previous_;
};

TEST_F(OutputFile, NamesKeepOnlyWhatAFileNameCanHold) {
    const struct {
        std::string sjisName;
        std::string path;
    } cases[] = {
        {sjis("山田甲子運.TXT"), "山田甲子運.TXT"},
        {"\x95\x5C.txt", "表.txt"},  // a 0x5C trail byte is no backslash
        {sjis("ｱｲｳ　＝"), "ｱｲｳ　＝"},
        {"\x81\x2F\x78", "__x"},  // a lead byte cannot carry a "/" into the name
        {"\x81\x0A\x78", "__x"},
        {"\x81\x7F\x78", "__x"},
        {"x\x81", "x_"},
        {"\xFC\x5Cx", "_x"},  // a pair CP932 lacks must not leave its "\\" behind
        {"\x85\x7Cx", "_x"},  // nor its "|"
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there\x7F", "tab_here_"},
        {"../x", ".._x"},
        {".", "_"},
        {"..", "_"},
        {"...", "..."},
    };
    Names written;
    for (const auto& c : cases) {
        EXPECT_EQ(outputPathFor(c.sjisName), c.path);
        EXPECT_TRUE(writeOutputFile(c.sjisName, "x")) << c.path;
        written.insert(c.path);
    }
    EXPECT_EQ(entries(), written);
}

TEST_F(OutputFile, ReplacesTheWholeTextAndLeavesNothingElse) {
    const struct {
        std::optional<std::string> old;
        std::string text;
    } cases[] = {
        {std::nullopt, "new"}, {std::nullopt, ""}, {"a much longer earlier text", "short"},
        {"earlier", ""},       {"", "text"},
    };
    for (const auto& c : cases) {
        clearFolder();
        if (c.old) {
            writeFile("out.txt", *c.old);
        }
        EXPECT_TRUE(writeOutputFile("out.txt", c.text));
        EXPECT_EQ(readFile("out.txt"), c.text);
        EXPECT_EQ(entries(), Names{"out.txt"});
    }
}

TEST_F(OutputFile, RefusesWhatItMayNotReplace) {
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"folder", [] { fs::create_directory("out.txt"); }},
        {"link to a folder",
         [] {
             fs::create_directory("sub");
             fs::create_symlink("sub", "out.txt");
         }},
        {"link loop", [] { fs::create_symlink("out.txt", "out.txt"); }},
        {"link into a missing folder", [] { fs::create_symlink("none/out.txt", "out.txt"); }},
        {"pipe", [] { ASSERT_EQ(::mkfifo("out.txt", 0666), 0); }},
    };
    for (const auto& c : cases) {
        clearFolder();
        c.make();
        const Names before = entries();
        const fs::file_type type = fs::symlink_status("out.txt").type();
        EXPECT_FALSE(writeOutputFile("out.txt", "new")) << c.what;
        EXPECT_EQ(entries(), before) << c.what;
        EXPECT_EQ(fs::symlink_status("out.txt").type(), type) << c.what;
    }
    clearFolder();
    writeFile("out.txt", "kept", 0444);
    EXPECT_FALSE(writeOutputFile("out.txt", "new"));
    EXPECT_EQ(readFile("out.txt"), "kept");
    EXPECT_EQ(modeOf("out.txt"), 0444u);
}

TEST_F(OutputFile, RefusesAFileTheUserMayNotWrite) {
    if (!isRoot()) {
        GTEST_SKIP() << "needs a file of another user";
    }
    writeFile("out.txt", "kept", 0644);
    fs::permissions(".", static_cast<fs::perms>(0777));  // a rename here would replace the file
    EXPECT_EQ(writeUnprivileged("out.txt", "new"), false);
    EXPECT_EQ(readFile("out.txt"), "kept");
}

TEST_F(OutputFile, AReplacedFileKeepsItsMode) {
    for (const mode_t mode : {0600u, 0640u, 0644u, 0664u, 0755u}) {
        writeFile("out.txt", "old", mode);
        EXPECT_TRUE(writeOutputFile("out.txt", "new"));
        EXPECT_EQ(modeOf("out.txt"), mode);
    }
}

TEST_F(OutputFile, AReplacedFileKeepsItsOwner) {
    if (!isRoot()) {
        GTEST_SKIP() << "only root may give a file away";
    }
    writeFile("out.txt", "old");
    ASSERT_EQ(::chown("out.txt", kNobody, kNobody), 0);
    EXPECT_TRUE(writeOutputFile("out.txt", "new"));
    struct stat info {};
    ASSERT_EQ(::stat("out.txt", &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
}

TEST_F(OutputFile, ANewFileGetsTheModeTheUmaskAllows) {
    const mode_t saved = ::umask(0);
    for (const mode_t mask : {000u, 022u, 027u, 077u}) {
        clearFolder();
        ::umask(mask);
        EXPECT_TRUE(writeOutputFile("out.txt", "new"));
        EXPECT_EQ(modeOf("out.txt"), 0666u & ~mask) << mask;
    }
    ::umask(saved);
}

TEST_F(OutputFile, ALinkStaysALinkToTheFileThatChanges) {
    const struct {
        std::string link;
        std::string file;  // where the text must land
        bool exists;
    } cases[] = {
        {"real.txt", "real.txt", true},
        {"sub/real.txt", "sub/real.txt", true},
        {(folder_ / "sub/real.txt").string(), "sub/real.txt", true},
        {"sub/new.txt", "sub/new.txt", false},  // a dangling link creates its file
        {"mid", "real.txt", true},              // through a second link
    };
    for (const auto& c : cases) {
        clearFolder();
        fs::create_directory("sub");
        fs::create_symlink("real.txt", "mid");
        if (c.exists) {
            writeFile(c.file, "old", 0640);
        }
        fs::create_symlink(c.link, "out.txt");
        const Names before = entries();
        const Names beforeSub = entries("sub");

        EXPECT_TRUE(writeOutputFile("out.txt", "new")) << c.link;
        EXPECT_TRUE(fs::is_symlink("out.txt"));
        EXPECT_EQ(fs::read_symlink("out.txt"), c.link);
        EXPECT_EQ(readFile(c.file), "new") << c.link;
        if (c.exists) {
            EXPECT_EQ(modeOf(c.file), 0640u);
            EXPECT_EQ(entries(), before);
            EXPECT_EQ(entries("sub"), beforeSub);
        }
    }
}

TEST_F(OutputFile, TheNewFileIsMadeBesideTheFileALinkNames) {
    fs::create_directory("sub");
    fs::permissions("sub", static_cast<fs::perms>(0777));
    writeFile("sub/real.txt", "old", 0666);
    fs::create_symlink("sub/real.txt", "out.txt");
    fs::permissions(".", static_cast<fs::perms>(0555));
    const ino_t old = inodeOf("sub/real.txt");
    const std::optional<bool> written = writeUnprivileged("out.txt", "new");
    ASSERT_TRUE(written.has_value()) << "cannot switch to an ordinary user";
    EXPECT_TRUE(*written);
    EXPECT_EQ(readFile("sub/real.txt"), "new");
    EXPECT_NE(inodeOf("sub/real.txt"), old) << "rewritten in place, not replaced";
    EXPECT_EQ(entries("sub"), Names{"real.txt"});
}

TEST_F(OutputFile, LeavesTheUsersOwnFilesAlone) {
    const struct {
        const char* what;
        std::function<void()> make;
        std::function<void()> check;
    } cases[] = {
        {"a file", [] { writeFile("out.txt.tmp", "mine"); },
         [] { EXPECT_EQ(readFile("out.txt.tmp"), "mine"); }},
        {"a folder", [] { fs::create_directory("out.txt.tmp"); },
         [] { EXPECT_TRUE(fs::is_empty("out.txt.tmp")); }},
        {"a link to a file",
         [] {
             writeFile("victim", "mine");
             fs::create_symlink("victim", "out.txt.tmp");
         },
         [] { EXPECT_EQ(readFile("victim"), "mine"); }},
        {"a dangling link", [] { fs::create_symlink("elsewhere", "out.txt.tmp"); },
         [] { EXPECT_FALSE(fs::exists(fs::symlink_status("elsewhere"))); }},
    };
    for (const auto& c : cases) {
        clearFolder();
        writeFile("out.txt", "old");
        c.make();
        const Names before = entries();
        EXPECT_TRUE(writeOutputFile("out.txt", "new")) << c.what;
        EXPECT_EQ(readFile("out.txt"), "new");
        EXPECT_EQ(entries(), before) << c.what;
        c.check();
    }
}

TEST_F(OutputFile, AFolderThatTakesNoNewFileIsWrittenInPlace) {
    writeFile("out.txt", "a longer earlier text", 0666);
    fs::permissions(".", static_cast<fs::perms>(0555));
    const std::optional<bool> written = writeUnprivileged("out.txt", "new");
    ASSERT_TRUE(written.has_value()) << "cannot switch to an ordinary user";
    EXPECT_TRUE(*written);
    EXPECT_EQ(readFile("out.txt"), "new");
    EXPECT_EQ(modeOf("out.txt"), 0666u);

    // Nor can a file be made there at all.
    EXPECT_EQ(writeUnprivileged("other.txt", "new"), false);
    EXPECT_EQ(entries(), Names{"out.txt"});
}

TEST_F(OutputFile, InPlaceAFailedWriteLeavesTheOldTextWhole) {
    const std::string old = "an earlier text that must survive";
    const struct {
        const char* what;
        std::string text;
        bool written;
        std::string after;
    } cases[] = {
        {"shorter", "new", true, "new"},
        {"longer", std::string(900, 'n'), true, std::string(900, 'n')},
        {"beyond the size limit", std::string(4096, 'n'), false, old},
    };
    for (const auto& c : cases) {
        fs::permissions(".", fs::perms::owner_all, fs::perm_options::add);
        clearFolder();
        writeFile("out.txt", old, 0666);
        fs::permissions(".", static_cast<fs::perms>(0555));
        const std::optional<bool> written = inChild([&]() -> std::optional<bool> {
            const rlimit limit{1024, 1024};
            if ((isRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                              ::setuid(kNobody) != 0)) ||
                ::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return std::nullopt;
            }
            return writeOutputFile("out.txt", c.text);
        });
        EXPECT_EQ(written, c.written) << c.what;
        EXPECT_EQ(readFile("out.txt"), c.after) << c.what;
        EXPECT_EQ(entries(), Names{"out.txt"}) << c.what;
    }
}

TEST_F(OutputFile, ALinkToANameNearTheLimitIsReplacedNotRewritten) {
    const std::string longName(254, 'l');
    writeFile(longName, "old");
    fs::create_symlink(longName, "out.txt");
    const ino_t old = inodeOf(longName);
    EXPECT_TRUE(writeOutputFile("out.txt", "new"));
    EXPECT_EQ(readFile(longName), "new");
    EXPECT_NE(inodeOf(longName), old);
    EXPECT_EQ(entries(), (Names{longName, "out.txt"}));
}

TEST_F(OutputFile, TemporariesAKilledWriteLeftGoAtTheNextWrite) {
    constexpr time_t kTwoHours = 2 * 60 * 60;
    const struct {
        const char* name;
        time_t age;
        bool folder;
        bool removed;
    } cases[] = {
        {".quorvel.Ab3xYz.new", 0, false, true},    // whole, but never put in place
        {".quorvel.Ab3xYz.part", 0, false, false},  // another writer may be at it
        {".quorvel.Ab3xYz.part", kTwoHours, false, true},
        {".quorvel.Ab3xYz.part", kTwoHours, true, false},  // not a file of ours
        {".quorvel.Ab3xY.part", kTwoHours, false, false},
        {".quorvel.Ab3xYz.parts", kTwoHours, false, false},
        {".quorvel.Ab3-Yz.new", 0, false, false},
        {"quorvel.Ab3xYz.new", 0, false, false},
    };
    for (const auto& c : cases) {
        clearFolder();
        if (c.folder) {
            fs::create_directory(c.name);
        } else {
            writeFile(c.name, "left");
        }
        const timeval then{::time(nullptr) - c.age, 0};
        const timeval times[2] = {then, then};
        ASSERT_EQ(::utimes(c.name, times), 0);
        EXPECT_TRUE(writeOutputFile("out.txt", "new"));
        EXPECT_EQ(fs::exists(fs::symlink_status(c.name)), !c.removed) << c.name;
    }
}

TEST_F(OutputFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    const std::string text(4096, 'x');
    for (const bool existed : {true, false}) {
        clearFolder();
        if (existed) {
            writeFile("out.txt", "kept");
        }
        const Names before = entries();
        // A size limit makes the writes stop partway, as a full disk would.
        const std::optional<bool> written = inChild([&]() -> std::optional<bool> {
            const rlimit limit{1024, 1024};
            if (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return std::nullopt;
            }
            return writeOutputFile("out.txt", text);
        });
        EXPECT_EQ(written, false);
        EXPECT_EQ(entries(), before);
        if (existed) {
            EXPECT_EQ(readFile("out.txt"), "kept");
        }
    }
}

}  // namespace
}  // namespace quorvel
