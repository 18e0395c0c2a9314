#include "cli/HeldOutput.h"

#include <algorithm>

#include "cli/CliOutput.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quill::cli {

namespace {

// Blocks in which the temporary file is read back.
constexpr std::size_t kReadBackBytes = 64 * 1024;

// A new, empty file, read and written in binary and removed when closed;
// nullptr when none can be made.
std::FILE* OpenTemporaryFile() {
#ifdef _WIN32
    // The C library's own temporary files go to the root of the drive,
    // which a user may not write to.
    wchar_t folder[MAX_PATH + 1];
    wchar_t path[MAX_PATH + 1];
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"qcl", 0, path) == 0) {
        return nullptr;
    }
    std::FILE* file = _wfopen(path, L"w+bD");  // D: removed when closed
    if (file == nullptr) {
        DeleteFileW(path);
    }
    return file;
#else
    return std::tmpfile();
#endif
}

}  // namespace

HeldOutput::HeldOutput(CliOutput& output, std::size_t memoryBytes)
    : output_(output), memoryBytes_(memoryBytes) {}

HeldOutput::~HeldOutput() {
    if (spill_ != nullptr) {
        std::fclose(spill_);
    }
}

void HeldOutput::Append(std::string_view bytes) {
    if (memory_.capacity() < memoryBytes_) {
        memory_.reserve(memoryBytes_);
    }
    if (!memoryOnly_ && !memory_.empty() && memory_.size() + bytes.size() > memoryBytes_) {
        Spill();
    }
    memory_.append(bytes);
}

void HeldOutput::Spill() {
    if (spill_ == nullptr && (spill_ = OpenTemporaryFile()) != nullptr) {
        // Unbuffered, so that what a failed write leaves out is known.
        std::setvbuf(spill_, nullptr, _IONBF, 0);
    }
    const std::size_t written =
        spill_ != nullptr ? std::fwrite(memory_.data(), 1, memory_.size(), spill_) : 0;
    spilledBytes_ += written;
    memory_.erase(0, written);
    // A whole output before flat memory: without a temporary file, or with
    // a full disk, memory takes the rest.
    memoryOnly_ = !memory_.empty();
}

bool HeldOutput::Release() {
    bool whole = true;
    if (spill_ != nullptr) {
        whole = std::fseek(spill_, 0, SEEK_SET) == 0;
        std::string block;
        for (std::size_t left = spilledBytes_; whole && left > 0; left -= block.size()) {
            block.resize(std::min(left, kReadBackBytes));
            block.resize(std::fread(block.data(), 1, block.size(), spill_));
            whole = !block.empty();
            output_.Out(block);
        }
        std::fclose(spill_);
        spill_ = nullptr;
        spilledBytes_ = 0;
    }
    if (whole) {
        output_.Out(memory_);
    }
    memory_.clear();
    memoryOnly_ = false;
    return whole;
}

}  // namespace quill::cli
