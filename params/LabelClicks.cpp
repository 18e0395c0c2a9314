// Clicks on the function and parameter labels bring the matching part of the
// documentation to the top of SourcePane.

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
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
    ScrollSourceTo(FindPos(sourceText, "@param " + name));
}

void MainWindow::OnFunctionLabelClicked() {
    const std::string prototype = documentation.returnType + " " + documentation.functionName;
    // A "@brief" line that repeats the prototype is passed over, so that the
    // prototype line after the block is found rather than the brief.
    const std::string brief = "@brief " + prototype;
    long after = 0;
    for (long found = FindPos(sourceText, brief); found >= 0;
         found = FindPos(sourceText, brief, static_cast<std::size_t>(found) + 1)) {
        after = found + 1;
    }
    ScrollSourceTo(FindPos(sourceText, prototype, static_cast<std::size_t>(after) + 10));
}

void MainWindow::ScrollSourceTo(long position) {
    // The pane shows sourceText converted from its 8-bit form, one block per
    // line; a block ends at every line feed byte, so "\r\n" counts once and
    // multi-byte characters do not shift the count.
    int line = 0;
    if (position < 0 || static_cast<std::size_t>(position) > sourceText.size()) {
        const QTextCursor caret = sourcePane->textCursor();
        line = sourcePane->document()->findBlock(caret.selectionStart()).blockNumber();
    } else {
        line =
            static_cast<int>(std::count(sourceText.begin(), sourceText.begin() + position, '\n'));
    }
    // Lines are not wrapped, so the vertical scroll bar counts lines and its
    // value is the first visible one; it stops where the text ends.
    QScrollBar* bar = sourcePane->verticalScrollBar();
    bar->setValue(std::clamp(line, bar->minimum(), bar->maximum()));
}

}  // namespace quill
