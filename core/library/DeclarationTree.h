#pragma once
// The declarations of a whole library tree: every C header under the folder
// that holds the library's include folder and its neighbours, so that a
// "\ref" to an enum or a group declared in another header of the tree is
// found. One index per tree, built on first use and shared by every caller
// of the process (the window, quill-cli, the language server).

#include <cstddef>
#include <memory>
#include <string>

#include "core/library/LibraryDeclarations.h"

namespace quill {

// What one tree index may read: files and bytes, nearest folders first.
struct DeclarationTreeLimits {
    std::size_t maxFiles = 4000;
    std::size_t maxBytes = 48u << 20;
};

// The folder whose headers make up the tree of the library `libraryPath`:
// the parent of its include folder ("Inc/x.h"); two folders higher when the
// header stands deeper in it ("include/ns/x.h", an SDK whose parts each have
// an include folder), but never above a repository's root, at the home
// folder or right under the file system's root; the header's own folder
// when it stands in no include folder. "" when the path has no folder.
std::string DeclarationTreeRoot(const std::string& libraryPath);

// The index of the tree around `libraryPath`: built on the first call for
// its root (the library's own folder read first, then the folders around
// it, up to `limits`), the same object on every later call.
std::shared_ptr<const LibraryDeclarations> DeclarationTreeOf(
    const std::string& libraryPath, const DeclarationTreeLimits& limits = {});

// Drops the index kept for the root of `libraryPath`; the next call builds it
// again (for callers that watch the tree's files change).
void ForgetDeclarationTree(const std::string& libraryPath);

}  // namespace quill
