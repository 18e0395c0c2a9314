// The function-choice event: remember the choice, show what choosing the
// function gives (its block, its documentation, its parameter slots and its
// helper program) and the messages that came with it.

#include <QPushButton>

#include "core/ChooseFunction.h"
#include "core/platform/Platform.h"
#include "core/settings/SettingsSaving.h"
#include "window/MainWindow.h"
#include "window/platform/QtText.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

void MainWindow::OnFunctionChosen() {
    const SettingsAction action;
    UpdateData(true);
    if (libraryIndex >= 0) {
        const std::string libraryPath = libraryCombo->SelectedText();
        sourceText = ShareText("");

        HelperProgram helper;
        if (functionIndex >= 0) {
            const std::string entry = functionCombo->SelectedText();
            SaveSetting(platform, paths, "Last", "Choice", entry);

            if (declarationsLibrary != libraryPath) {
                libraryDeclarations = LibraryDeclarations();
                declarationsLibrary = libraryPath;
            }
            FunctionRequest request{libraryPath, entry, startupLibrary, &libraryDeclarations};
            request.vendorMode = LibraryInVendorMode(libraryPath);
            FunctionChoice choice = ChooseFunction(request);
            suggestions = choice.suggestions;
            sourceText = ShareText(std::move(choice.lookup.text));
            UpdateData(false);
            for (const std::string& message : choice.messages) {
                ShowMessage(message, kStyleExclamation);
            }
            documentation = std::move(choice.documentation);
            LayOutParameterSlots();
            helper = choice.helper;
        } else {
            // No function: the helper named last is looked for beside the
            // library itself.
            helper = LookForHelper(libraryPath, documentation.helperName);
        }

        if (helper.looked) {
            helperProgram = helper.Offered();
            if (helper.exists) {
                helpersButton->setText(ToQString(documentation.helperName));
                ShowHelpersButtonAtHome();
            } else {
                helpersButton->hide();
            }
        }
    }
    UpdateData(false);
}

}  // namespace quill
