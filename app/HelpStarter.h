#pragma once
// Carries out a help decision through the platform seam: the text editor
// for the notes file, a detached start for every program. Nothing waits for
// what was started and a failed start goes unreported.

#include "app/HelpDecisions.h"

namespace quill {

class Platform;

void Launch(Platform& platform, const HelpStart& start);

}  // namespace quill
