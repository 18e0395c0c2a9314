#pragma once
// The one file-open dialog of Quill: the platform's open dialog with the file
// name field labelled "&Library" and the confirming button labelled "&Select".
// Each use builds a fresh dialog, fills in its fields, runs it and reads the
// chosen path; nothing carries over from one use to the next.

#include <cstddef>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

namespace quill {

class CLibBrowse {
public:
    // The file name field holds 260 characters, terminator included.
    static constexpr std::size_t kMaxFileNameBytes = 259;

    // An open dialog with no title, no file name, no folder and no filters.
    explicit CLibBrowse(Platform& platform);

    // The dialog of each use, with its title and filter list.
    static CLibBrowse ForLibrary(Platform& platform);     // AddButton
    static CLibBrowse ForBrowser(Platform& platform);     // setup: the browser program
    static CLibBrowse ForHelpParent(Platform& platform);  // setup: the help folder

    void SetTitle(std::string title) { request_.title = std::move(title); }
    void SetFilters(std::vector<FileFilter> filters) { request_.filters = std::move(filters); }
    void SetInitialFolder(std::string folder) { request_.initialFolder = std::move(folder); }
    // Puts `name` into the file name field. A name that does not fit leaves
    // the field empty and returns false; telling the user is the caller's job.
    bool SetFileName(const std::string& name);

    // Runs the dialog modally; true when the user confirmed a file. A typed
    // name of a file that does not exist is taken as it is.
    bool DoModal();
    // Full path of the chosen file once DoModal returned true, else "".
    const std::string& GetPathName() const { return pathName_; }

    // What the dialog is (or was) opened with.
    const FileDialogRequest& Request() const { return request_; }

private:
    Platform& platform_;
    FileDialogRequest request_;
    std::string pathName_;
};

// The folder the library dialog opens in when it starts from `path`: `path`
// up to and including its last separator when its first separator stands at
// index 2 or later (after a drive such as "C:"), otherwise `path` itself.
// "\" is always a separator; elsewhere than on Windows "/" is one too, and
// an absolute path's leading "/" stands where a drive would.
std::string LibraryDialogFolder(const std::string& path);

}  // namespace quill
