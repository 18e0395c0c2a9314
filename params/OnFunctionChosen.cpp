// The function-choice event: remember the choice, look the function up in
// its documenting file, parse its documentation, lay out the parameter slots
// and offer its helper program.

#include <QPushButton>

#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "params/DocumentationParser.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "source/PrototypeLookup.h"
#include "source/ReadTextLine.h"

namespace quill {

namespace {

constexpr int kHelpersButtonWidth = 88;
constexpr int kHelpersButtonHeight = 23;

// Position of the last folder separator of `path`, or -1. A backslash always
// counts; elsewhere than on Windows the platform's "/" counts as well.
long LastSeparator(const std::string& path) {
#ifdef _WIN32
    const std::size_t found = path.find_last_of('\\');
#else
    const std::size_t found = path.find_last_of("\\/");
#endif
    return found == std::string::npos ? -1 : static_cast<long>(found);
}

bool CanOpenForReading(const std::string& path) {
    TextFile file;
    return file.Open(path);
}

}  // namespace

void MainWindow::OnFunctionChosen() {
    UpdateData(true);
    if (libraryIndex >= 0) {
        const std::string libraryPath = libraryCombo->SelectedText();
        sourceText.clear();

        std::string documentationPath = libraryPath;
        if (functionIndex >= 0) {
            const std::string entry = functionCombo->SelectedText();
            WriteSetting("Last", "Choice", entry, paths.settingsFile);

            documentationPath = LookUpPrototype(SourcePathForHeader(libraryPath), entry);
            const bool lookupSucceeded = sourceText.size() > 2;
            const DocumentationParse parse =
                ParseFunctionDocumentation(documentationPath, entry, lookupSucceeded, returnType);
            if (!parse.fileOpened) {
                ShowMessage("Could not find " + documentationPath, kStyleExclamation);
            }
            documentation = parse.documentation;
            functionName = documentation.functionName;
            returnType = documentation.returnType;
            for (std::size_t k = 0; k < documentation.parameters.size(); ++k) {
                parameterNames[k] = documentation.parameters[k].name;
                editTexts[k] = documentation.parameters[k].editText;
            }
            helperName = documentation.helperName;
            documentationText = documentation.documentationText;
            parameterCount = documentation.parameterCount;
            LayOutParameterSlots();
        }

        // The helper program is looked for beside the file that holds the
        // documentation.
        const long separator = LastSeparator(documentationPath);
        if (separator > 4) {
            helperProgram =
                documentationPath.substr(0, static_cast<std::size_t>(separator) + 1) + helperName;
            if (CanOpenForReading(helperProgram)) {
                helpersButton->setGeometry(helpersButtonPos.x(), helpersButtonPos.y(),
                                           kHelpersButtonWidth, kHelpersButtonHeight);
                helpersButton->setText(ToQString(helperName));
                helpersButton->show();
            } else {
                helperProgram.assign(1, '-');
                helpersButton->hide();
            }
        }
    }
    UpdateData(false);
}

}  // namespace quill
