#pragma once

namespace pestrol {

// The process's one random generator, with the C runtime's contract: Srand(seed) starts
// a sequence, each Rand() draws 0 ... kRandMax. The same seed gives the same sequence.
constexpr int kRandMax = 32767;

void Srand(unsigned int seed);
int Rand();

}  // namespace pestrol
