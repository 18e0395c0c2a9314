#include "app/HelpStarter.h"

#include "platform/Platform.h"

namespace quill {

void Launch(Platform& platform, const HelpStart& start) {
    switch (start.kind) {
        case HelpStart::Kind::TextEditor:
            platform.OpenInTextEditor(start.parameters);
            break;
        case HelpStart::Kind::Program:
            platform.StartProgram(start.program, start.parameters);
            break;
        case HelpStart::Kind::Nothing:
            break;
    }
}

}  // namespace quill
