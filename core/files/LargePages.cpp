#include "core/files/LargePages.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quill {

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

}  // namespace

void AdviseLargePages(void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (first < last) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

void PreferLargePages(void* data, std::size_t bytes) {
    // Only worth it for buffers of several large pages.
    if (bytes >= 4 * kLargePage) {
        AdviseLargePages(data, bytes);
    }
}

}  // namespace quill
