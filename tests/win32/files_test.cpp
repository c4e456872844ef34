// The Windows side of platform/files.h on Wine's file system: replacing a file whole, the
// data file held under a lock, and what a failure leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/files.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using platform::FileOpen;
using platform::LockedFile;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class Files : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("quorvel-files-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        clear();
        fs::create_directories(folder_);
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        clear();
    }
    void clear() {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(folder_, ignored);
    }
    // Names the writer's temporaries carry.
    int temporaries() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            count += entry.path().filename().string().starts_with(".quorvel.") ? 1 : 0;
        }
        return count;
    }

    fs::path folder_;
    fs::path previous_;
};

TEST_F(Files, ReplaceWritesTheWholeTextOrLeavesTheOldFile) {
    const std::string binary("a\r\nb\n\x1a\0c", 8);  // line ends, Ctrl-Z and NUL as they are
    const struct Case {
        const char* what;
        const char* name;  // UTF-8
        std::function<void()> before;
        bool written;
        std::string expected;  // the file's bytes afterwards ("" where there is no file)
    } cases[] = {
        {"a new file", "out.txt", [] {}, true, binary},
        {"a new file with a Japanese name", "\xE5\xA4\xAA\xE9\x83\x8E.TXT", [] {}, true, binary},
        {"a longer file", "out.txt", [] { writeFile("out.txt", std::string(5000, 'x')); }, true,
         binary},
        {"a read-only file", "out.txt",
         [] {
             writeFile("out.txt", "kept");
             SetFileAttributesW(L"out.txt", FILE_ATTRIBUTE_READONLY);
         },
         false, "kept"},
        {"a folder of that name", "out.txt", [] { fs::create_directory("out.txt"); }, false, ""},
        {"a missing folder", "none/out.txt", [] {}, false, ""},
        {"an empty name", "", [] {}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clear();
        fs::create_directories(folder_);
        c.before();
        EXPECT_EQ(platform::replaceFile(c.name, binary), c.written);
        const fs::path path = fs::path(std::u8string(c.name, c.name + std::strlen(c.name)));
        if (!c.expected.empty()) {
            EXPECT_EQ(readFile(path), c.expected);
        }
        EXPECT_EQ(temporaries(), 0);
    }
}

// A scanner or the indexer holding the file a moment longer: the write waits for it.
TEST_F(Files, AFileHeldForAMomentIsReplacedOnceLetGo) {
    writeFile("out.txt", "old");
    HANDLE held = CreateFileW(L"out.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letGo([held] {
        Sleep(150);
        CloseHandle(held);
    });
    EXPECT_TRUE(platform::replaceFile("out.txt", "new"));
    letGo.join();
    EXPECT_EQ(readFile("out.txt"), "new");
    EXPECT_EQ(temporaries(), 0);
}

TEST_F(Files, AWriteClearsTemporariesLeftByAKilledOneOnceTheyAreStale) {
    writeFile(".quorvel.AbCdEf.part", "stale");
    writeFile(".quorvel.GhIjKl.part", "young");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
    fs::last_write_time(".quorvel.AbCdEf.part", old);
    ASSERT_TRUE(platform::replaceFile("out.txt", "text"));
    EXPECT_FALSE(fs::exists(".quorvel.AbCdEf.part"));
    EXPECT_TRUE(fs::exists(".quorvel.GhIjKl.part"));  // its writer may still be at it
}

TEST_F(Files, TheDataFileOpensAppendsAndReads) {
    EXPECT_EQ(LockedFile("DATA.CSV", LockedFile::Mode::Read).status(), FileOpen::Missing);
    {
        LockedFile file("DATA.CSV", LockedFile::Mode::Append);
        ASSERT_EQ(file.status(), FileOpen::Opened);
        EXPECT_TRUE(file.append("one\r\n"));
        EXPECT_TRUE(file.append("two\n"));
        EXPECT_EQ(file.size(), 9);
        char buffer[16] = {};
        EXPECT_EQ(file.readAt(5, buffer, sizeof buffer), 4);
        EXPECT_EQ(std::string(buffer, 4), "two\n");
    }
    EXPECT_EQ(readFile("DATA.CSV"), "one\r\ntwo\n");
    fs::create_directory("folder.csv");
    EXPECT_EQ(LockedFile("folder.csv", LockedFile::Mode::Read).status(), FileOpen::Unusable);
    EXPECT_TRUE(platform::createEmptyFile("empty.csv"));
    EXPECT_FALSE(platform::createEmptyFile("empty.csv"));
    EXPECT_EQ(readFile("empty.csv"), "");
}

TEST_F(Files, ALockHeldElsewhereIsGivenUpWithinItsWait) {
    writeFile("DATA.CSV", "held\n");
    const LockedFile holder("DATA.CSV", LockedFile::Mode::Append);
    ASSERT_EQ(holder.status(), FileOpen::Opened);
    for (const auto mode : {LockedFile::Mode::Read, LockedFile::Mode::Append}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(LockedFile("DATA.CSV", mode).status(), FileOpen::Unusable);
        EXPECT_LT(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(platform::kLockWaitMilliseconds + 2000));
    }
    EXPECT_EQ(readFile("DATA.CSV"), "held\n");
}

}  // namespace
}  // namespace quorvel::test
