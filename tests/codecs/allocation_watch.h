#pragma once

#include <cstddef>

// Replaces the global operator new of the test program it is linked into, to tell the largest
// single allocation made since the last reset.
namespace quorvin::codecs::testing {

void ResetLargestAllocation();
std::size_t LargestAllocation();

}  // namespace quorvin::codecs::testing
