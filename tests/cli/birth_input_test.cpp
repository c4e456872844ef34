#include "cli/birth_input.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar_tables.h"

namespace quorvel::cli {
namespace {

TEST(BirthInput, BatchLines) {
    const struct {
        std::string line;
        InputProblem problem;
    } cases[] = {
        {"1990-05-20 10 male", InputProblem::None},
        {"1990-5-2 0 female", InputProblem::None},
        {"1990-05-20\t10\tfemale\r", InputProblem::None},
        {"  2000-12-31   23 male  ", InputProblem::None},
        {"", InputProblem::Format},
        {"1990-05-20", InputProblem::Format},
        {"1990-05-20 10", InputProblem::Sex},
        {"1990-05-20 10 man", InputProblem::Sex},
        {"1990-05-20 10 male extra", InputProblem::Format},
        {"1990/05/20 10 male", InputProblem::Format},
        {"1990-05-20 -1 male", InputProblem::Format},
        {"1990-05-20 1a male", InputProblem::Format},
        {"19900-05-20 10 male", InputProblem::Format},
        {"1990-005-20 10 male", InputProblem::Format},
        {"1990-05- 10 male", InputProblem::Format},
        {"99999999999999999999-05-20 10 male", InputProblem::Format},
        {"1900-05-20 10 male", InputProblem::Year},
        {std::to_string(kLastTableYear + 1) + "-01-01 0 female", InputProblem::Year},
        {"1990-02-29 10 male", InputProblem::Date},
        {"1990-13-01 10 male", InputProblem::Date},
        {"1990-00-10 10 male", InputProblem::Date},
        {"1990-05-20 24 male", InputProblem::Hour},
    };
    for (const auto& c : cases) {
        BirthInput birth;
        EXPECT_EQ(parseBatchLine(c.line, birth), c.problem) << '"' << c.line << '"';
    }
}

TEST(BirthInput, FieldsAreRead) {
    BirthInput birth;
    ASSERT_EQ(parseBatchLine("1965-3-15 10 female", birth), InputProblem::None);
    EXPECT_EQ(birth.year, 1965);
    EXPECT_EQ(birth.month, 3);
    EXPECT_EQ(birth.day, 15);
    EXPECT_EQ(birth.hour, 10);
    EXPECT_EQ(birth.sex, Sex::Female);
}

}  // namespace
}  // namespace quorvel::cli
