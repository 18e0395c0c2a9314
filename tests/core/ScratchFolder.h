#pragma once
// A real folder under the system's temporary folder, removed with everything
// in it when the test ends. Its name mixes cases so that lower-casing a path
// below it changes it.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quill::testing {

class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
            const auto candidate = base / ("QuillScratch-" + std::to_string(seed()));
            if (std::filesystem::create_directory(candidate)) {
                root_ = candidate;
            }
        }
        EXPECT_FALSE(root_.empty()) << "cannot create a scratch folder under " << base;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Root() const { return root_.string(); }
    std::string PathOf(const std::string& relative) const { return (root_ / relative).string(); }
    // PathOf(relative) with every ASCII letter in lower case.
    std::string LowerPathOf(const std::string& relative) const {
        std::string path = PathOf(relative);
        for (char& c : path) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return path;
    }

    // Writes `bytes` to `relative` (folders created as needed) and returns the full path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
        return PathOf(relative);
    }

    std::string MakeFolder(const std::string& relative) const {
        std::filesystem::create_directories(root_ / relative);
        return PathOf(relative);
    }

private:
    std::filesystem::path root_;
};

}  // namespace quill::testing
