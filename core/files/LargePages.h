#pragma once
// Asking the system to back a large buffer with large memory pages, so that
// filling it takes a few hundred page faults instead of tens of thousands.

#include <cstddef>

namespace quill {

// Advises large pages for the whole pages inside [data, data + bytes). Only
// a hint: nothing changes where the system has no such pages or declines.
void AdviseLargePages(void* data, std::size_t bytes);

// AdviseLargePages for a buffer of several large pages; a smaller one is
// left as it is.
void PreferLargePages(void* data, std::size_t bytes);

}  // namespace quill
