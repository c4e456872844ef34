// A line of `quorvel-cli chart --batch` input, then the chart it may lead to.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calendar/chart.h"
#include "cli/birth_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    quorvel::cli::BirthInput birth;
    const auto problem = quorvel::cli::parseBatchLine(line, birth);
    quorvel::Chart chart;
    const bool computed =
        quorvel::computeChart(chart, birth.sex, birth.year, birth.month, birth.day, birth.hour);
    using quorvel::cli::InputProblem;
    const bool rangeProblem = problem == InputProblem::Year || problem == InputProblem::Date ||
                              problem == InputProblem::Hour;
    if ((problem == InputProblem::None && !computed) || (rangeProblem && computed)) {
        __builtin_trap();  // the parser and the calendar disagree about what can be computed
    }
    return 0;
}
