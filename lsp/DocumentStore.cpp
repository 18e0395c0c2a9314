#include "lsp/DocumentStore.h"

#include <algorithm>

namespace quill::lsp {

void ApplyChange(std::string& text, const TextChange& change) {
    if (!change.ranged) {
        text = change.text;
        return;
    }
    const std::size_t start = OffsetOf(text, change.start);
    const std::size_t end = std::max(start, OffsetOf(text, change.end));
    text.replace(start, end - start, change.text);
}

void DocumentStore::Open(const std::string& uri, std::string text) {
    texts_[uri] = std::move(text);
}

bool DocumentStore::Change(const std::string& uri, const TextChange& change) {
    const auto found = texts_.find(uri);
    if (found == texts_.end()) {
        return false;
    }
    ApplyChange(found->second, change);
    return true;
}

void DocumentStore::Close(const std::string& uri) {
    texts_.erase(uri);
}

const std::string* DocumentStore::Text(const std::string& uri) const {
    const auto found = texts_.find(uri);
    return found == texts_.end() ? nullptr : &found->second;
}

}  // namespace quill::lsp
