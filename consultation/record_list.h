#pragma once

namespace quorvel {

// One record of DATA.CSV as the reader found it: every field as text, cut to its slot.
struct RecordSlot {
    char nameText[32] = {};
    char sexText[4] = {};  // "男", "女" or empty
    char yearText[5] = {};
    char monthText[8] = {};
    char dayText[8] = {};
    char hourText[8] = {};
    char label[128] = {};  // the caption of the record's button
};

inline constexpr int kRecordSlotCount = 10;

// The first ten records of the file, in file order; unused slots stay empty.
struct RecordList {
    RecordSlot slots[kRecordSlotCount];
};

}  // namespace quorvel
