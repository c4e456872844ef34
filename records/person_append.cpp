#include "records/person_append.h"

#include "common/fixed_text.h"

namespace quorvel {

PersonAppend appendPersonWithDetails(const char* dataPath, QuorvelStore& store,
                                     const BirthRecord& record, const BirthDetails& details) {
    PersonAppend entry{appendRecordLine(dataPath, record)};
    if (entry.line == AppendResult::Failed || details == BirthDetails{}) {
        return entry;
    }
    char line[kRecordLineSize];
    formatRecordLine(record, line);
    entry.detailsLost = !store.saveBirthDetails(fieldText(line), details);
    return entry;
}

}  // namespace quorvel
