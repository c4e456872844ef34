#pragma once
// Counts heap allocations made through operator new in the test binary that links this.
#include <cstddef>

namespace quorvel::test {

std::size_t allocationCount();

}  // namespace quorvel::test
