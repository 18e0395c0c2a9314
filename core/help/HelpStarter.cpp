#include "core/help/HelpStarter.h"

#include "core/platform/Platform.h"

namespace quill {

bool Launch(Platform& platform, const HelpStart& start) {
    switch (start.kind) {
        case HelpStart::Kind::TextEditor:
            return platform.OpenInTextEditor(start.parameters);
        case HelpStart::Kind::Program:
            return platform.StartProgram(start.program, start.parameters);
        case HelpStart::Kind::Nothing:
            break;
    }
    return true;
}

}  // namespace quill
