#pragma once
// The texts of the documents the client has open, by URI, kept up to date
// by whole and ranged changes.

#include <map>
#include <optional>
#include <string>

#include "lsp/TextPositions.h"

namespace quill::lsp {

struct TextChange {
    bool ranged = false;  // false: `text` replaces the whole document
    Position start;
    Position end;
    std::string text;
};

class DocumentStore {
public:
    void Open(const std::string& uri, std::string text);
    // False when the document is not open.
    bool Change(const std::string& uri, const TextChange& change);
    void Close(const std::string& uri);
    // Null when the document is not open.
    const std::string* Text(const std::string& uri) const;

private:
    std::map<std::string, std::string> texts_;
};

// `text` with `change` applied. A range whose end lies before its start
// replaces nothing and inserts at the start.
void ApplyChange(std::string& text, const TextChange& change);

}  // namespace quill::lsp
