#include "platform/table_order.h"

namespace quorvel::platform {

int compareNumberGroups(const NumberGroups& a, const NumberGroups& b) {
    for (int i = 0; i < a.count && i < b.count; ++i) {
        if (a.values[i] != b.values[i]) {
            return a.values[i] < b.values[i] ? -1 : 1;
        }
    }
    return a.count - b.count;
}

}  // namespace quorvel::platform
