#pragma once
// Running out of memory anywhere ends the program the same way: the fatal
// error box, whose message gives the number of bytes asked for, then exit
// status 255. A reserve taken at start-up is given back first, so that the box
// itself can still be made.

#include <cstddef>

void InstallMemoryReserve();
void ReleaseMemoryReserve();
[[noreturn]] void StopForLackOfMemory(std::size_t requested);
