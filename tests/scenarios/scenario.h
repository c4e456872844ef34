#pragma once
// A whole program run through the scripted backend, in a working folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/shell.h"
#include "consultation/consultation_state.h"
#include "platform/script/script.h"

namespace quorvel::test {

class Scenario : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::script::reset();
        previousFolder_ = std::filesystem::current_path();
        folder_ = std::filesystem::temp_directory_path() /
                  ("quorvel-scenario-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        removeFolder(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
        state_ = std::make_unique<ConsultationState>();
        char name[] = "quorvel";
        char* argv[] = {name, nullptr};
        ASSERT_EQ(runApplication(*state_, 1, argv), 0);
    }

    void TearDown() override {
        std::filesystem::current_path(previousFolder_);
        removeFolder(folder_);
    }

    ConsultationState& state() { return *state_; }
    void command(int id) { platform::script::sendCommand(id); }

    static std::string readFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    static void writeFile(const std::filesystem::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    std::filesystem::path folder() const { return folder_; }
    // A UTF-8 file name: a plain char string would be read in the system's code page on Windows.
    static std::filesystem::path utf8Path(std::string_view name) {
        return std::u8string(name.begin(), name.end());
    }

  private:
    // Windows deletes no read-only file: what a test made read-only is made writable first.
    static void removeFolder(const std::filesystem::path& folder) {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path previousFolder_;
    std::filesystem::path folder_;
    std::unique_ptr<ConsultationState> state_;
};

}  // namespace quorvel::test
