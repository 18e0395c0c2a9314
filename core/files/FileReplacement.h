#pragma once
// Replacing a file as a whole: the new content goes to a temporary file in
// the same folder ("<name>.tmp-<random>"), is made durable and is renamed
// over the file, so readers see the old or the new file, never a part.

#include <filesystem>
#include <string>
#include <system_error>

namespace quill {

// Replaces `target` (created when missing) by `content`, keeping the
// permissions it had. When any step fails, `target` is untouched and the
// result holds the system's error for that step.
std::error_code ReplaceFileAtomically(const std::filesystem::path& target,
                                      const std::string& content);

// Removes the temporary files that replacements of `target` left behind when
// their writer died. Call it only while no other replacement can be running.
void RemoveLeftoverTemporaries(const std::filesystem::path& target);

// Whether a replacement of `target` could create its temporary file, found
// by creating one (and removing it again).
bool CanCreateTemporaryBeside(const std::filesystem::path& target);

}  // namespace quill
