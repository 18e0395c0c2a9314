#pragma once
// Standard output held back until a job is known to have succeeded, so that
// a job that fails part way prints nothing of what it had found. The bytes
// stay in memory up to a limit and go on to a temporary file beyond it, so
// that memory stays the same whatever the size of the output.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace quill::cli {

class CliOutput;

class HeldOutput {
public:
    // As large as the blocks the output was written in before it was held:
    // a larger one costs more in page faults than the temporary file does.
    static constexpr std::size_t kMemoryBytes = 64 * 1024;

    // Holds what is on its way to `output`'s standard output.
    explicit HeldOutput(CliOutput& output, std::size_t memoryBytes = kMemoryBytes);
    // What was not released is dropped, and the temporary file removed.
    ~HeldOutput();
    HeldOutput(const HeldOutput&) = delete;
    HeldOutput& operator=(const HeldOutput&) = delete;

    void Append(std::string_view bytes);

    // Writes everything held to standard output (CliOutput::Out), in order, and
    // empties the hold. False when the temporary file could not be read
    // back; part of the output may have been written then.
    bool Release();

private:
    void Spill();

    CliOutput& output_;
    std::size_t memoryBytes_;
    std::string memory_;
    std::FILE* spill_ = nullptr;
    std::size_t spilledBytes_ = 0;
    // No temporary file could be made or written to: memory holds the rest.
    bool memoryOnly_ = false;
};

}  // namespace quill::cli
