#pragma once
// A vendor-style library of a chosen size for the benchmarks: <folder>/Inc/
// holds the header with its value groups, enums and prototypes, <folder>/Src/
// the source whose blocks name the legal values with "@arg" lines and
// "@ref" to the header's groups. The output depends only on the arguments.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/GeneratedLibrary.h"

namespace quill::bench {

// The header is <folder>/Inc/<stem>.h, the source <folder>/Src/<stem>.c.
inline GeneratedLibrary GenerateVendorLibrary(const std::filesystem::path& folder,
                                              std::size_t headerBytes, std::size_t sourceBytes,
                                              const std::string& stem = "vnd_periph") {
    namespace fs = std::filesystem;
    fs::create_directories(folder / "Inc");
    fs::create_directories(folder / "Src");
    GeneratedLibrary library;
    library.headerPath = (folder / "Inc" / (stem + ".h")).string();
    library.sourcePath = (folder / "Src" / (stem + ".c")).string();

    std::string header = "/* Generated vendor library. */\n#include <stdint.h>\n\n";
    std::string source = "/* Generated vendor library: implementation. */\n\n";
    // Half of the header's bytes are groups and enums, the rest prototypes.
    for (std::size_t g = 0; header.size() < headerBytes / 2; ++g) {
        const std::string group = "VND_Group" + std::to_string(g);
        header += "/** @defgroup " + group + " generated values\n  * @{\n  */\n";
        for (int v = 0; v < 8; ++v) {
            header += "#define VND_G" + std::to_string(g) + "_VALUE_" + std::to_string(v) +
                      "  ((uint32_t)0x" + std::to_string(v) + "u)  /*!< value " +
                      std::to_string(v) + " */\n";
        }
        header += "/**\n  * @}\n  */\n\ntypedef enum {\n";
        for (int v = 0; v < 6; ++v) {
            header += "    VND_E" + std::to_string(g) + "_MEMBER_" + std::to_string(v) + " = " +
                      std::to_string(v) + ",\n";
        }
        header += "} vnd_enum" + std::to_string(g) + "_t;\n\n";
    }
    const std::size_t groups = header.size() / 900 + 1;
    for (std::size_t i = 0; header.size() < headerBytes || source.size() < sourceBytes; ++i) {
        const std::string g = std::to_string(i % groups);
        const std::string entry = "void VND_Function" + std::to_string(i) +
                                  "(uint32_t Channel, uint32_t Flags, vnd_enum" + g +
                                  "_t Mode, uint8_t Level)";
        if (header.size() < headerBytes) {
            header += entry + ";\n";
            library.entries.push_back(entry);
        }
        source += "/**\n  * @brief  Generated function " + std::to_string(i) +
                  ".\n  * @param  Channel the channel.\n"
                  "  *         This parameter can be one of the following values:\n";
        for (int v = 0; v < 4; ++v) {
            source += "  *         @arg VND_CHANNEL_" + std::to_string(v) + ": channel " +
                      std::to_string(v) + " selected\n";
        }
        source += "  * @param  Flags any combination of @ref VND_Group" + g +
                  "\n  * @param  Mode the mode.\n  * @param  Level :{0-255} the level\n"
                  "  * @retval None\n  */\n" +
                  entry + "\n{\n    (void)Channel;\n    (void)Flags;\n}\n\n";
    }
    detail::WriteLibraryFiles(library, header, source);
    return library;
}

}  // namespace quill::bench
