// Clicks on the function and parameter labels bring the matching part of the
// documentation to the top of SourcePane.

#include <algorithm>

#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "source/TextOps.h"

namespace quill {

void MainWindow::OnParamLabelClicked(int k) {
    if (k < 1 || k > kMaxParameters) {
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
    // The pane shows sourceText itself, a line ending at every line feed
    // byte, so "\r\n" counts once and multi-byte characters do not shift the
    // count.
    const std::string& text = *sourceText;
    const int line =
        position < 0 || static_cast<std::size_t>(position) > text.size()
            ? sourcePane->SelectionStart().line
            : static_cast<int>(std::count(text.begin(), text.begin() + position, '\n'));
    sourcePane->ScrollToLine(line);
}

}  // namespace quill
