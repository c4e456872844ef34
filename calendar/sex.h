#pragma once
#include <cstdint>

namespace quorvel {

// The values are those stored in the consultation record; Unset is a person not yet entered.
enum class Sex : std::int32_t { Male = 0, Female = 1, Unset = -1 };

}  // namespace quorvel
