#include "text/heap.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void ReportToStandardError(std::size_t requested) {
    std::fprintf(stderr, "account-generator: out of memory (%zu bytes requested)\n", requested);
    std::fflush(stderr);
    std::_Exit(255);
}

OutOfMemoryHandler g_handler = &ReportToStandardError;

}  // namespace

void SetOutOfMemoryHandler(OutOfMemoryHandler handler) {
    g_handler = handler ? handler : &ReportToStandardError;
}

void ReportOutOfMemory(std::size_t requested) {
    g_handler(requested);
    // A handler must not return; if one does, end here all the same.
    ReportToStandardError(requested);
}

void* AllocateBlock(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) ReportOutOfMemory(size);
    return block;
}

void* ResizeBlock(void* block, std::size_t size) {
    void* grown = std::realloc(block, size ? size : 1);
    if (!grown) ReportOutOfMemory(size);
    return grown;
}

void ReleaseBlock(void* block) { std::free(block); }
