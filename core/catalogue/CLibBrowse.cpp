#include "core/catalogue/CLibBrowse.h"

#include "core/text/PathText.h"

namespace quill {

namespace {

// Elsewhere than on Windows a path from the root counts as one after a
// drive.
#ifdef _WIN32
constexpr bool kRootStandsForDrive = false;
#else
constexpr bool kRootStandsForDrive = true;
#endif

}  // namespace

CLibBrowse::CLibBrowse(Platform& platform) : platform_(platform) {
    // The request's labels already read "&Library" and "&Select".
}

CLibBrowse CLibBrowse::ForLibrary(Platform& platform) {
    CLibBrowse dialog(platform);
    dialog.SetTitle("Select Library Source");
    dialog.SetFilters({{" Header(*.h)", "*.h"}, {" Library(*.s)", "*.s"}, {" All(*.*)", "*.*"}});
    return dialog;
}

CLibBrowse CLibBrowse::ForBrowser(Platform& platform) {
    CLibBrowse dialog(platform);
    dialog.SetTitle("Select Browser");
    dialog.SetFilters({{"Browser(*.exe)", "*.exe"}, {" All(*.*)", "*.*"}});
    return dialog;
}

CLibBrowse CLibBrowse::ForHelpParent(Platform& platform) {
    CLibBrowse dialog(platform);
    dialog.SetTitle("Help Parent");
    dialog.SetFilters({{"Help(*.html)", "*.html"}, {" All(*.*)", "*.*"}});
    return dialog;
}

bool CLibBrowse::SetFileName(const std::string& name) {
    if (name.size() > kMaxFileNameBytes) {
        request_.initialName.clear();
        return false;
    }
    request_.initialName = name;
    return true;
}

bool CLibBrowse::DoModal() {
    pathName_.clear();
    std::optional<std::string> chosen = platform_.ChooseFile(request_);
    // An empty answer names no file: it counts as a cancel.
    if (!chosen || chosen->empty()) {
        return false;
    }
    pathName_ = std::move(*chosen);
    return true;
}

std::string LibraryDialogFolder(const std::string& path) {
    const std::size_t first = path.find_first_of(kLibraryPathSeparators);
    if (first == std::string::npos) {
        return path;
    }
    const bool afterDrive = first >= 2;
    const bool afterRoot = kRootStandsForDrive && first == 0 && path[0] == '/';
    if (!afterDrive && !afterRoot) {
        return path;
    }
    return path.substr(0, path.find_last_of(kLibraryPathSeparators) + 1);
}

}  // namespace quill
