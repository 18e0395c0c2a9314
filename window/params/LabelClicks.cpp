// Clicks on the function and parameter labels bring the matching part of the
// documentation to the top of SourcePane.

#include "core/text/TextOps.h"
#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

void MainWindow::OnParamLabelClicked(int k) {
    if (k < 1 || static_cast<std::size_t>(k) > documentation.parameters.size()) {
        return;
    }
    const std::string& name = documentation.parameters[static_cast<std::size_t>(k - 1)].name;
    ScrollSourceTo(FindPos(*sourceText, "@param " + name));
}

void MainWindow::OnFunctionLabelClicked() {
    const std::string prototype = documentation.returnType + " " + documentation.functionName;
    // A "@brief" line that repeats the prototype is passed over, so that the
    // prototype line after the block is found rather than the brief.
    const std::string brief = "@brief " + prototype;
    long after = 0;
    const std::string& text = *sourceText;
    for (long found = FindPos(text, brief); found >= 0;
         found = FindPos(text, brief, static_cast<std::size_t>(found) + 1)) {
        after = found + 1;
    }
    ScrollSourceTo(FindPos(text, prototype, static_cast<std::size_t>(after) + 10));
}

void MainWindow::ScrollSourceTo(long position) {
    // The pane shows sourceText itself: its line index counts the lines.
    const int line = position < 0 || static_cast<std::size_t>(position) > sourceText->size()
                         ? sourcePane->SelectionStart().line
                         : sourcePane->LineOf(static_cast<std::size_t>(position));
    sourcePane->ScrollToLine(line);
}

}  // namespace quill
