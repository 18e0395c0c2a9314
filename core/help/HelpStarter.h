#pragma once
// Carries out a help decision through the platform seam: the text editor
// for the notes file, a detached start for every program. Nothing waits for
// what was started; the caller decides whether a failed start is told.

#include "core/help/HelpDecisions.h"

namespace quill {

class Platform;

// False when the program or the text editor could not be started; true
// when it was, or when there was nothing to start.
bool Launch(Platform& platform, const HelpStart& start);

}  // namespace quill
