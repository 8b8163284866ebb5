#pragma once
// The one heap behind every Text and Bytes value.
//
// AllocateBlock never returns null: when memory is exhausted it calls the
// out-of-memory handler with the number of bytes asked for, and that handler
// does not return. The window sets a handler that shows the fatal error box;
// without one the report goes to standard error and the process ends with
// status 255.

#include <cstddef>

using OutOfMemoryHandler = void (*)(std::size_t requested);

void* AllocateBlock(std::size_t size);
void* ResizeBlock(void* block, std::size_t size);
void ReleaseBlock(void* block);  // null is ignored

void SetOutOfMemoryHandler(OutOfMemoryHandler handler);
[[noreturn]] void ReportOutOfMemory(std::size_t requested);
