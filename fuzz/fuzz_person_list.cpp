// Any bytes as the whole of DATA.CSV: every person, the skipped lines, a search with the first
// bytes as the word, and the review of everyone.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cli/record_commands.h"
#include "common/fixed_text.h"
#include "records/person_list.h"
#include "report/yearly_review.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    quorvel::PersonList list;
    quorvel::parsePersonList(text, list);

    // Every line is a person, a skipped line or blank, each once and in order.
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); ++lines) {
        const std::size_t end = text.find('\n', at);
        at = end == std::string_view::npos ? text.size() : end + 1;
    }
    if (list.persons.size() + list.skippedLines.size() > lines) {
        __builtin_trap();
    }
    int last = 0;
    std::size_t skipped = 0;
    for (const quorvel::PersonEntry& p : list.persons) {
        while (skipped < list.skippedLines.size() && list.skippedLines[skipped] < p.line) {
            ++skipped;
        }
        if (p.line <= last || static_cast<std::size_t>(p.line) > lines ||
            (skipped < list.skippedLines.size() && list.skippedLines[skipped] == p.line)) {
            __builtin_trap();
        }
        last = p.line;
    }

    // With no zero byte the dialog's ten are the list's first ten.
    if (text.find('\0') == std::string_view::npos) {
        quorvel::RecordList ten;
        quorvel::parseRecordList(text, ten);
        for (std::size_t n = 0; n < quorvel::kRecordSlotCount; ++n) {
            const std::string_view mine =
                n < list.persons.size() ? quorvel::fieldText(list.persons[n].slot.label) : "";
            if (mine != quorvel::fieldText(ten.slots[n].label)) {
                __builtin_trap();
            }
        }
    }

    for (const std::size_t i : quorvel::searchPersons(list, text.substr(0, 8))) {
        if (i >= list.persons.size()) {
            __builtin_trap();
        }
    }

    std::vector<quorvel::BirthData> births(list.persons.size());
    for (std::size_t i = 0; i < births.size(); ++i) {
        quorvel::cli::recordBirth(list.persons[i].slot, births[i]);
    }
    const auto rows = quorvel::yearlyReview(births, 2026);
    if (rows.size() != births.size()) {
        __builtin_trap();
    }
    return 0;
}
