// Any bytes as the head of DATA.CSV, then each slot as `chart --record` takes it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "calendar/chart.h"
#include "cli/record_commands.h"
#include "common/fixed_text.h"
#include "records/record_file.h"

namespace {

template <std::size_t N>
bool terminated(const char (&field)[N]) {
    return strnlen(field, N) < N;
}

bool wellFormed(const quorvel::RecordSlot& slot) {
    return terminated(slot.nameText) && terminated(slot.sexText) && terminated(slot.yearText) &&
           terminated(slot.monthText) && terminated(slot.dayText) && terminated(slot.hourText) &&
           terminated(slot.label);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static quorvel::RecordList list;
    quorvel::parseRecordList(std::string_view(reinterpret_cast<const char*>(data), size), list);
    bool emptySeen = false;
    for (const quorvel::RecordSlot& slot : list.slots) {
        const bool filled = slot.label[0] != '\0';
        // The dialog numbers its buttons from the top: the records come first, without gaps.
        if (!wellFormed(slot) || (filled && emptySeen)) {
            __builtin_trap();
        }
        emptySeen = emptySeen || !filled;
        quorvel::cli::BirthInput birth;
        if (quorvel::cli::recordBirth(slot, birth) &&
            quorvel::cli::checkComputable(birth) == quorvel::cli::InputProblem::None) {
            quorvel::Chart chart;
            if (!quorvel::computeChart(chart, birth.sex, birth.year, birth.month, birth.day,
                                       birth.hour)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
