#include "records/person_append.h"

#include <gtest/gtest.h>

#include "common/fixed_text.h"
#include "tests/store/store_folder.h"

namespace quorvel {
namespace {

class PersonEntryTest : public test::StoreFolder {};

// The line goes first and the details under it; a person already in the file (a crash came
// between the two writes) gets the details now; no birthplace makes no database, and a line that
// could not be written takes no details.
TEST_F(PersonEntryTest, TheLineFirstThenItsDetails) {
    const BirthDetails fukuoka{prefectureBirthplace(40)};
    const struct {
        const char* name;
        std::string before;  // DATA.CSV; "/" for a folder in its place
        BirthDetails details;
        AppendResult line;
        bool databaseMade;
    } cases[] = {
        {"a new person with a birthplace", "taro,1,0,1965,3,15,10,\n", fukuoka,
         AppendResult::Appended, true},
        {"a new person without one", "", BirthDetails{}, AppendResult::Appended, false},
        {"the line already there, saved with CR LF", "jiro,1,0,1901,1,1,0,\r\n", fukuoka,
         AppendResult::Duplicate, true},
        {"a data file that cannot be written", "/", fukuoka, AppendResult::Failed, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        const std::string dataPath = path("DATA.CSV").string();
        if (c.before == "/") {
            std::filesystem::create_directory(dataPath);
        } else {
            write(dataPath, c.before);
        }
        BirthRecord jiro;
        copyText(jiro.name, "jiro");
        jiro.sex = Sex::Male;
        jiro.year = 1901;
        jiro.month = 1;
        jiro.day = 1;
        jiro.hour = 0;

        QuorvelStore store = QuorvelStore::open(folder());
        const PersonAppend entry =
            appendPersonWithDetails(dataPath.c_str(), store, jiro, c.details);
        EXPECT_EQ(entry.line, c.line);
        EXPECT_FALSE(entry.detailsLost);
        EXPECT_EQ(std::filesystem::exists(path("QUORVEL.DB")), c.databaseMade);
        if (c.line == AppendResult::Failed) {
            continue;
        }
        // Under the line as the file now holds it.
        const std::string data = read(dataPath);
        const std::size_t previous = data.rfind('\n', data.size() - 2);
        const std::string line = data.substr(previous == std::string::npos ? 0 : previous + 1);
        ASSERT_EQ(line.rfind("jiro,", 0), 0u) << line;
        const std::optional<BirthDetails> kept = QuorvelStore::open(folder()).birthDetails(line);
        EXPECT_EQ(kept.value_or(BirthDetails{}), c.details);
        EXPECT_EQ(kept.has_value(), c.databaseMade);
    }
}

}  // namespace
}  // namespace quorvel
