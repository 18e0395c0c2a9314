#pragma once
// A large header shaped like the big vendor headers: short lines, most of
// them comments, register structures, macros and indented code, with one
// prototype in about six lines (some with "extern", tabs, odd spacing or a
// trailing comment). Deterministic, so runs can be compared.

#include <cstddef>
#include <fstream>
#include <string>

namespace quill::bench {

struct GeneratedCorpus {
    std::string path;
    std::size_t bytes = 0;
    std::size_t lines = 0;
    std::size_t entries = 0;  // prototypes written, each of which the scan lists
};

inline void Flush(std::ofstream& out, std::string& text, GeneratedCorpus& corpus) {
    for (char c : text) {
        corpus.lines += c == '\n' ? 1 : 0;
    }
    corpus.bytes += text.size();
    out << text;
    text.clear();
}

inline GeneratedCorpus GenerateCorpus(const std::string& path, std::size_t minBytes) {
    static const char* const types[] = {"void", "uint32_t", "int", "const char *", "HRESULT"};
    static const char* const verbs[] = {"Get", "Set", "Enable", "Disable", "Read", "Write"};
    static const char* const nouns[] = {"Mode", "Clock", "Channel", "Buffer", "State", "Irq"};
    GeneratedCorpus corpus;
    corpus.path = path;
    // Written in pieces, so that the benchmark process stays small: programs
    // it starts report its peak memory as the floor of their own.
    std::ofstream out(path, std::ios::binary);
    std::string text;
    text += "/* Generated header corpus. */\n#ifndef GEN_CORPUS_H\n#define GEN_CORPUS_H\n\n";
    for (std::size_t i = 0; corpus.bytes + text.size() < minBytes; ++i) {
        if (text.size() >= 64 * 1024) {
            Flush(out, text, corpus);
        }
        const std::string n = std::to_string(i);
        const std::string name = std::string("Gen") + nouns[i % 6] + n + "_" + verbs[(i / 6) % 6];
        const std::string type = types[i % 5];
        text += "/**\n";
        text += " * @brief  " + std::string(verbs[i % 6]) + " the " + nouns[(i / 3) % 6] +
                " of unit " + n + " and wait until the hardware has taken it.\n";
        text += " *\n";
        text += " * @param  hUnit    handle of the unit, as returned by the open call\n";
        text += " * @param  dwValue  value to apply; bits outside the mask are ignored\n";
        text += " * @return status code: zero on success, a negative error otherwise\n";
        text += " */\n";
        switch (i % 4) {
            case 0:
                text += "extern " + type + " " + name + "(void *hUnit, uint32_t dwValue);\n";
                break;
            case 1:
                text += type + "\t" + name + " ( void *hUnit ,uint32_t  dwValue ) ;\n";
                break;
            case 2:
                text += type + " " + name + "(void *hUnit, uint32_t dwValue); // " + n + "\n";
                break;
            default:
                text += type + " " + name + "(void);\n";
                break;
        }
        ++corpus.entries;
        if (i % 3 == 0) {
            text += "\n#define GEN_" + n + "_MASK    (0x1u << " + std::to_string(i % 32) + ")\n";
            text += "#define GEN_" + n + "_POS     " + std::to_string(i % 32) + "\n";
        }
        if (i % 5 == 0) {
            text += "typedef struct\n{\n";
            text += "  volatile uint32_t CR;    /*!< control register, offset 0x00 */\n";
            text += "  volatile uint32_t SR;    /*!< status register,  offset 0x04 */\n";
            text += "  uint32_t RESERVED[2];\n";
            text += "} Gen" + n + "_TypeDef;\n";
        }
        if (i % 7 == 0) {
            text += "static inline int GenInline" + n + "(int a)\n{\n\treturn a + " + n + ";\n}\n";
            ++corpus.entries;  // the definition's first line is listed too
        }
        text += "\n";
    }
    text += "#endif /* GEN_CORPUS_H */\n";
    Flush(out, text, corpus);
    return corpus;
}

}  // namespace quill::bench
