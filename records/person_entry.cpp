#include "records/person_entry.h"

#include "common/fixed_text.h"

namespace quorvel {

PersonEntry appendPersonWithDetails(const char* dataPath, QuorvelStore& store,
                                    const BirthRecord& record, const BirthDetails& details) {
    PersonEntry entry{appendRecordLine(dataPath, record)};
    if (entry.line == AppendResult::Failed || details == BirthDetails{}) {
        return entry;
    }
    char line[kRecordLineSize];
    formatRecordLine(record, line);
    entry.detailsLost = !store.saveBirthDetails(fieldText(line), details);
    return entry;
}

}  // namespace quorvel
