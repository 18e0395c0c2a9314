#pragma once
// A real folder under the system's temporary folder, removed with everything
// in it when the test ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quill::testing {

class ScratchFolder {
public:
    // The folder's own name mixes cases so that lower-casing a path below it
    // changes it.
    explicit ScratchFolder(const std::string& stem = "QuillScratch") {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            auto candidate = base / (stem + "-" + std::to_string(seed()));
            if (std::filesystem::create_directory(candidate)) {
                root_ = candidate;
                return;
            }
        }
        ADD_FAILURE() << "cannot create a scratch folder under " << base;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Root() const { return root_.string(); }

    // Writes `bytes` to `relative` (folders created as needed) and returns the full path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return path.string();
    }

    std::string MakeFolder(const std::string& relative) const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path);
        return path.string();
    }

    std::string PathOf(const std::string& relative) const { return (root_ / relative).string(); }

private:
    std::filesystem::path root_;
};

}  // namespace quill::testing
