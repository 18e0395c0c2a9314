#include "lsp/CatalogueIndex.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/docs/DocumentationParser.h"
#include "core/docs/PrototypeLookup.h"
#include "core/files/FileBytes.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/VendorModeSetting.h"

namespace quill::lsp {

namespace {

constexpr std::size_t kMaxNotedFileBytes = 64u << 20;

// The comment after `value` on a line of `text` that declares it.
std::string NoteInText(const std::string& text, const std::string& value) {
    for (std::size_t at = text.find(value); at != std::string::npos;
         at = text.find(value, at + 1)) {
        const bool wordStart =
            at == 0 ||
            !(std::isalnum(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '_');
        const std::size_t after = at + value.size();
        const bool wordEnd =
            after >= text.size() ||
            !(std::isalnum(static_cast<unsigned char>(text[after])) || text[after] == '_');
        if (!wordStart || !wordEnd) {
            continue;
        }
        std::size_t lineEnd = text.find('\n', after);
        if (lineEnd == std::string::npos) {
            lineEnd = text.size();
        }
        const std::string line = text.substr(after, lineEnd - after);
        std::size_t comment = line.find("/*!<");
        std::size_t skip = 4;
        if (comment == std::string::npos) {
            comment = line.find("//!<");
        }
        if (comment == std::string::npos) {
            comment = line.find("/**<");
        }
        if (comment == std::string::npos) {
            continue;
        }
        std::string note = line.substr(comment + skip);
        const std::size_t close = note.find("*/");
        if (close != std::string::npos) {
            note.resize(close);
        }
        const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
        while (!note.empty() && blank(note.back())) {
            note.pop_back();
        }
        std::size_t start = 0;
        while (start < note.size() && blank(note[start])) {
            ++start;
        }
        if (start < note.size()) {
            return note.substr(start);
        }
    }
    return {};
}

}  // namespace

CatalogueIndex::Stamp CatalogueIndex::StampOf(const std::string& path) {
    Stamp stamp;
    std::error_code error;
    const std::filesystem::path file(path);
    stamp.time = std::filesystem::last_write_time(file, error);
    if (error) {
        return stamp;
    }
    stamp.size = std::filesystem::file_size(file, error);
    stamp.exists = !error;
    return stamp;
}

struct CatalogueIndex::Library {
    bool scanned = false;
    bool vendorMode = false;
    std::map<std::string, Stamp> stamps;  // the library file and the files read for it
    std::unique_ptr<LibraryChoices> choices;
    std::map<std::string, FunctionChoice> parsed;  // by entry
    bool textRead = false;
    std::string text;                          // the library file, for the notes on values
    std::map<std::string, std::string> notes;  // by value, once looked for
};

CatalogueIndex::CatalogueIndex(std::vector<std::string> libraryPaths, std::string settingsFile)
    : paths_(std::move(libraryPaths)), settingsFile_(std::move(settingsFile)) {
    if (!settingsFile_.empty()) {
        settingsStamp_ = StampOf(settingsFile_);
    }
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        libraries_.push_back(std::make_unique<Library>());
    }
}

CatalogueIndex::~CatalogueIndex() = default;

void CatalogueIndex::FollowSettings() {
    const std::vector<std::string> paths = GetAllSettingKeys("Libraries", settingsFile_);
    std::map<std::string, std::size_t> before;
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        before.emplace(paths_[i], i);
    }
    std::vector<std::unique_ptr<Library>> libraries;
    std::vector<std::size_t> moved(paths_.size(), paths.size());  // old place to new
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto known = before.find(paths[i]);
        if (known != before.end() && libraries_[known->second]) {
            moved[known->second] = i;
            libraries.push_back(std::move(libraries_[known->second]));
        } else {
            libraries.push_back(std::make_unique<Library>());
        }
    }
    std::erase_if(functions_, [&moved, &paths](CatalogueFunction& function) {
        function.library = moved[function.library];
        return function.library == paths.size();
    });
    paths_ = paths;
    libraries_ = std::move(libraries);
    // A library whose stored mode changed is read again in the new one.
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        Library& library = *libraries_[i];
        if (library.scanned &&
            library.vendorMode != LibraryInVendorMode(paths_[i], settingsFile_)) {
            library.scanned = false;
        }
    }
    RebuildNames();
}

void CatalogueIndex::Refresh() {
    if (!settingsFile_.empty()) {
        const Stamp stamp = StampOf(settingsFile_);
        if (!(stamp == settingsStamp_)) {
            settingsStamp_ = stamp;
            FollowSettings();
        }
    }
    bool changed = false;
    for (std::size_t i = 0; i < libraries_.size(); ++i) {
        Library& library = *libraries_[i];
        bool stale = !library.scanned;
        for (const auto& [path, stamp] : library.stamps) {
            if (stale) {
                break;
            }
            stale = !(StampOf(path) == stamp);
        }
        if (stale) {
            Scan(i);
            changed = true;
        }
    }
    if (changed) {
        RebuildNames();
    }
}

void CatalogueIndex::Scan(std::size_t index) {
    ++scans_;
    Library& library = *libraries_[index];
    library = Library{};
    library.scanned = true;
    const std::string& path = paths_[index];
    library.stamps[path] = StampOf(path);
    // The automatic mode turns on for a header whose ".c" is missing.
    const std::string source = SourcePathForHeader(path);
    if (source != path) {
        library.stamps[source] = StampOf(source);
    }
    std::erase_if(functions_, [index](const CatalogueFunction& f) { return f.library == index; });
    library.vendorMode = LibraryInVendorMode(path, settingsFile_);
    library.choices = std::make_unique<LibraryChoices>(path, path, nullptr, library.vendorMode);
    library.choices->ScanEntries([&](std::string_view entry) {
        CatalogueFunction function;
        function.entry = std::string(entry);
        function.name = RecordFromEntry(function.entry).functionName;
        function.library = index;
        functions_.push_back(std::move(function));
    });
}

void CatalogueIndex::RebuildNames() {
    byName_.resize(functions_.size());
    for (std::size_t i = 0; i < functions_.size(); ++i) {
        byName_[i] = i;
    }
    std::stable_sort(byName_.begin(), byName_.end(), [this](std::size_t a, std::size_t b) {
        if (functions_[a].name != functions_[b].name) {
            return functions_[a].name < functions_[b].name;
        }
        return functions_[a].library < functions_[b].library;
    });
}

const CatalogueFunction* CatalogueIndex::Find(std::string_view name) const {
    const auto found = std::lower_bound(
        byName_.begin(), byName_.end(), name,
        [this](std::size_t i, std::string_view key) { return functions_[i].name < key; });
    if (found == byName_.end() || functions_[*found].name != name) {
        return nullptr;
    }
    return &functions_[*found];
}

std::vector<const CatalogueFunction*> CatalogueIndex::WithPrefix(std::string_view prefix,
                                                                 std::size_t limit) const {
    std::vector<const CatalogueFunction*> found;
    auto it = std::lower_bound(
        byName_.begin(), byName_.end(), prefix,
        [this](std::size_t i, std::string_view key) { return functions_[i].name < key; });
    for (; it != byName_.end() && found.size() < limit; ++it) {
        const CatalogueFunction& function = functions_[*it];
        if (function.name.compare(0, prefix.size(), prefix) != 0) {
            break;
        }
        if (!found.empty() && found.back()->name == function.name) {
            continue;  // the first library's function only
        }
        found.push_back(&function);
    }
    return found;
}

const FunctionChoice& CatalogueIndex::Choice(const CatalogueFunction& function) {
    Library& library = *libraries_[function.library];
    const auto known = library.parsed.find(function.entry);
    if (known != library.parsed.end()) {
        return known->second;
    }
    if (library.parsed.empty()) {
        library.choices->IndexAll();
    }
    FunctionChoice choice = library.choices->Choose(function.entry);
    if (choice.Found() && !library.stamps.count(choice.lookup.path)) {
        library.stamps[choice.lookup.path] = StampOf(choice.lookup.path);
    }
    return library.parsed.emplace(function.entry, std::move(choice)).first->second;
}

std::string CatalogueIndex::ValueNote(const CatalogueFunction& function, const std::string& value) {
    Library& library = *libraries_[function.library];
    if (!library.textRead) {
        library.textRead = true;
        FileBytesRead read = FileBytes(paths_[function.library], kMaxNotedFileBytes);
        if (read.outcome == FileReadOutcome::Read) {
            library.text = std::move(read.bytes);
        }
    }
    const auto known = library.notes.find(value);
    if (known != library.notes.end()) {
        return known->second;
    }
    return library.notes.emplace(value, NoteInText(library.text, value)).first->second;
}

std::optional<CatalogueCall> CatalogueCallAt(const CatalogueIndex& index, std::string_view text,
                                             std::size_t offset) {
    std::optional<CallContext> context = FindCallAt(text, offset);
    if (!context) {
        return std::nullopt;
    }
    const CatalogueFunction* function = index.Find(context->name);
    if (!function) {
        return std::nullopt;
    }
    return CatalogueCall{std::move(*context), function};
}

}  // namespace quill::lsp
