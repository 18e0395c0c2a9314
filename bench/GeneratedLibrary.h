#pragma once
// Peripheral libraries of a chosen size for the benchmarks: a header with one
// prototype a line and its documented C source, about twice as large, with a
// "/**" block before every function. The output depends only on the
// arguments, so runs can be compared.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quill::bench {

struct GeneratedLibrary {
    std::string headerPath;            // <folder>/<stem>.h
    std::string sourcePath;            // <folder>/<stem>.c
    std::vector<std::string> entries;  // the function entries of the header, in file order
    std::size_t headerBytes = 0;
    std::size_t sourceBytes = 0;
};

namespace detail {

inline std::string Number(std::size_t i) {
    std::string digits = std::to_string(i);
    return std::string(digits.size() < 5 ? 5 - digits.size() : 0, '0') + digits;
}

inline const char* Unit(std::size_t i) {
    static const char* const units[] = {"Uart", "Timer", "Adc", "Gpio", "Spi", "Dma"};
    return units[i % 6];
}

inline const char* Verb(std::size_t i) {
    static const char* const verbs[] = {"Configure", "Start", "Read", "Write", "Select", "Clear"};
    return verbs[(i / 6) % 6];
}

struct Parameter {
    const char* type;
    const char* name;
    const char* doc;  // what follows "@param name "
};

inline const std::vector<Parameter>& Parameters() {
    static const std::vector<Parameter> parameters{
        {"GEN_Handle_t", "hUnit", ":{GEN_UNIT_A,GEN_UNIT_B,GEN_UNIT_C} the unit to use"},
        {"uint8_t", "bChannel", ":{0-255} channel number"},
        {"uint32_t", "dwFlags", ":{GEN_FLAG_RX|GEN_FLAG_TX|GEN_FLAG_IRQ|GEN_FLAG_DMA} options"},
        {"uint16_t", "wValue", "value in free form, any 16-bit number"},
    };
    return parameters;
}

// The documentation block of the i-th generated function.
inline std::string Block(std::size_t i) {
    std::string block = "/**\n * @brief  ";
    block += Verb(i);
    block += std::string(" the ") + Unit(i) + " unit " + Number(i) +
             ": generated for measuring the scan, the lookup and the source view.\n";
    const std::size_t count = i % 5;
    for (std::size_t p = 0; p < count; ++p) {
        const Parameter& parameter = Parameters()[p];
        block += std::string(" * @param  ") + parameter.name + " " + parameter.doc + "\n";
    }
    if (i % 7 == 0) {
        block += " * @note   Pick the value with GenHelper.exe\n";
    }
    block += " * @retval 0 when done, 1 on a bad unit\n */\n";
    return block;
}

// The header line of the i-th function: some with "extern", all with a
// trailing comment that brings the line to about 200 bytes.
inline std::string HeaderLine(std::size_t i, const std::string& entry) {
    std::string line = (i % 4 == 0 ? "extern " : "") + entry + ";";
    line += "  // ";
    line += Verb(i);
    line += " of unit ";
    line += Number(i);
    while (line.size() < 198) {
        line += " .";
    }
    return line + "\n";
}

// Writes both files and notes their sizes.
inline void WriteLibraryFiles(GeneratedLibrary& library, const std::string& header,
                              const std::string& source) {
    std::ofstream(library.headerPath, std::ios::binary) << header;
    std::ofstream(library.sourcePath, std::ios::binary) << source;
    library.headerBytes = header.size();
    library.sourceBytes = source.size();
}

}  // namespace detail

// The function entry (normal form) of the i-th generated function.
inline std::string GeneratedEntry(std::size_t i) {
    std::string text = std::string(i % 3 == 0 ? "uint32_t" : "void") + " GEN_" + detail::Unit(i) +
                       detail::Number(i) + "_" + detail::Verb(i) + "(";
    const std::size_t count = i % 5;  // 0 to 4 parameters
    if (count == 0) {
        text += "void";
    }
    for (std::size_t p = 0; p < count; ++p) {
        const detail::Parameter& parameter = detail::Parameters()[p];
        text += std::string(p > 0 ? ", " : "") + parameter.type + " " + parameter.name;
    }
    return text + ")";
}

// Writes the header and its source into `folder` (which must exist), adding
// functions until the header holds at least `headerBytes` bytes. Header lines
// are about 200 bytes, so 1 MB holds some 5,000 prototypes.
inline GeneratedLibrary GenerateLibrary(const std::filesystem::path& folder,
                                        std::size_t headerBytes,
                                        const std::string& stem = "genlib") {
    GeneratedLibrary library;
    library.headerPath = (folder / (stem + ".h")).string();
    library.sourcePath = (folder / (stem + ".c")).string();

    std::string header =
        "/* Generated peripheral library. */\n"
        "#ifndef GENLIB_H\n#define GENLIB_H\n\n#include <stdint.h>\n\n"
        "typedef void *GEN_Handle_t;\n\n";
    std::string source =
        "/* Generated peripheral library: implementation. */\n#include \"" + stem + ".h\"\n\n";
    for (std::size_t i = 0; header.size() < headerBytes; ++i) {
        const std::string entry = GeneratedEntry(i);
        library.entries.push_back(entry);

        header += detail::HeaderLine(i, entry);

        // The documented definition.
        source += detail::Block(i);
        source += entry + "\n{\n\tif (GEN_Busy())\n\t{\n\t\treturn;\t/* busy */\n\t}\n";
        source += "\tGEN_Registers[" + std::to_string(i % 64) + "] = 0u;\n}\n\n";
    }
    header += "\n#endif /* GENLIB_H */\n";
    detail::WriteLibraryFiles(library, header, source);
    return library;
}

namespace detail {

// A header of at least `headerBytes` bytes: `opening`, then `EntryText(i,
// entry)` for one generated entry after another. Written in pieces, so that
// the benchmark process stays small.
template <typename EntryText>
GeneratedLibrary WriteHeaderInPieces(const std::filesystem::path& path, std::size_t headerBytes,
                                     std::string text, EntryText entryText) {
    GeneratedLibrary library;
    library.headerPath = path.string();
    std::ofstream out(library.headerPath, std::ios::binary);
    for (std::size_t i = 0; library.headerBytes + text.size() < headerBytes; ++i) {
        library.entries.push_back(GeneratedEntry(i));
        text += entryText(i, library.entries.back());
        if (text.size() > (1 << 20)) {
            out << text;
            library.headerBytes += text.size();
            text.clear();
        }
    }
    out << text;
    library.headerBytes += text.size();
    return library;
}

}  // namespace detail

// GenerateLibrary's header alone, with no source beside it: only a header
// that documents a function in place would give a block.
inline GeneratedLibrary GeneratePlainHeader(const std::filesystem::path& folder,
                                            std::size_t headerBytes,
                                            const std::string& stem = "genplain") {
    return detail::WriteHeaderInPieces(
        folder / (stem + ".h"), headerBytes,
        "/* Generated peripheral library. */\n#include <stdint.h>\n\n",
        [](std::size_t i, const std::string& entry) { return detail::HeaderLine(i, entry); });
}

// A header of at least `headerBytes` bytes that documents every function in
// place, the block of GenerateLibrary's source right before each prototype,
// with no source beside it: the header is its own documenting file.
inline GeneratedLibrary GenerateDocumentedHeader(const std::filesystem::path& folder,
                                                 std::size_t headerBytes,
                                                 const std::string& stem = "gendoc") {
    return detail::WriteHeaderInPieces(folder / (stem + ".h"), headerBytes,
                                       "/* Generated peripheral library, documented in place. */\n"
                                       "#include <stdint.h>\n\ntypedef void *GEN_Handle_t;\n\n",
                                       [](std::size_t i, const std::string& entry) {
                                           return detail::Block(i) + (i % 4 == 0 ? "extern " : "") +
                                                  entry + ";\n\n";
                                       });
}

// A header of `entries` short one-line prototypes
// ("uint32_t Fn<i>(int iValue);", 33 bytes a line: 6.5 million make a
// 200 MB library), the densest library a scan meets; no source.
inline std::string GenerateDenseHeader(const std::filesystem::path& folder, std::size_t entries) {
    const std::string path = (folder / "dense.h").string();
    std::ofstream out(path, std::ios::binary);
    std::string block;
    for (std::size_t i = 0; i < entries; ++i) {
        block += "uint32_t Fn" + std::to_string(10000000 + i) + "(int iValue);\n";
        if (block.size() > (1 << 20)) {
            out << block;
            block.clear();
        }
    }
    out << block;
    return path;
}

}  // namespace quill::bench
