#pragma once
// Replacing a file as a whole: the new content goes to a temporary file in
// the same folder ("<name>.tmp-<random>"), is made durable and is renamed
// over the file, so readers see the old or the new file, never a part.

#include <filesystem>
#include <string>

namespace quill {

// Replaces `target` (created when missing) by `content`, keeping the
// permissions it had. False, with `target` untouched, when any step fails.
bool ReplaceFileAtomically(const std::filesystem::path& target, const std::string& content);

// Removes the temporary files that replacements of `target` left behind when
// their writer died. Call it only while no other replacement can be running.
void RemoveLeftoverTemporaries(const std::filesystem::path& target);

// Whether a replacement of `target` could create its temporary file, found
// by creating one (and removing it again).
bool CanCreateTemporaryBeside(const std::filesystem::path& target);

}  // namespace quill
