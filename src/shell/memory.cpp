#include "shell/memory.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "shell/message.h"
#include "text/cp936.h"
#include "text/heap.h"

namespace {

constexpr std::size_t kReserveBytes = 8 << 20;
void* g_reserve = nullptr;

}  // namespace

void InstallMemoryReserve() {
    if (!g_reserve) {
        g_reserve = std::malloc(kReserveBytes);
        if (g_reserve) std::memset(g_reserve, 0, kReserveBytes);  // make the pages real
    }
    SetOutOfMemoryHandler(&StopForLackOfMemory);
}

void ReleaseMemoryReserve() {
    std::free(g_reserve);
    g_reserve = nullptr;
}

void StopForLackOfMemory(std::size_t requested) {
    ReleaseMemoryReserve();
    const std::string message = requested ? "内存不足：无法分配 " + std::to_string(requested) + " 字节。" : "内存不足。";
    StopWithRuntimeError(TextFromUtf8(message));
}

// Every allocation by new goes the same way as the program's own values.
void* operator new(std::size_t size) {
    for (;;) {
        if (void* block = std::malloc(size ? size : 1)) return block;
        ReportOutOfMemory(size);
    }
}

void* operator new[](std::size_t size) { return ::operator new(size); }

// The pairs of the allocations above, so that every block goes back the way
// it came (the address sanitizer checks this).
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
// Callers of the nothrow forms handle a null result themselves.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
