#pragma once
// A new person with what DATA.CSV has no field for: the line first, then QUORVEL.DB.
#include "consultation/birth_record.h"
#include "records/record_file.h"
#include "store/quorvel_store.h"

namespace quorvel {

struct PersonAppend {
    AppendResult line = AppendResult::Failed;
    bool detailsLost = false;  // the line is kept but its details are not: tell, and go on
};

// Appends the record's line to `dataPath` as appendRecordLine does, then keeps `details` under
// that line in `store` (the one beside the data file). In that order: a crash between the two
// leaves the person without details, never with wrong ones. A line the file already holds is the
// same person and takes the details given. Details with nothing in them are not written.
PersonAppend appendPersonWithDetails(const char* dataPath, QuorvelStore& store,
                                     const BirthRecord& record, const BirthDetails& details);

}  // namespace quorvel
