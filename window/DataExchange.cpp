// Moving the bound values between the window's members and its controls.

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "window/MainWindow.h"
#include "window/platform/QtText.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

namespace {

void ExchangeIndex(bool save, NotifyingComboBox* combo, int& index) {
    if (save) {
        index = combo->currentIndex();
    } else if (combo->currentIndex() != index) {
        combo->setCurrentIndex(index);
    }
}

template <typename Control>
void ExchangeText(bool save, Control* control, std::string& text) {
    if (save) {
        text = ToBytes(control->text());
        return;
    }
    const QString shown = ToQString(text);
    if (control->text() != shown) {
        control->setText(shown);
    }
}

}  // namespace

void MainWindow::UpdateData(bool save) {
    ExchangeIndex(save, functionCombo, functionIndex);
    ExchangeIndex(save, libraryCombo, libraryIndex);

    // The pane is read-only and shows the very bytes it was given, shared
    // rather than copied; given the text it shows, it keeps the reader's
    // scroll position.
    if (save) {
        sourceText = sourcePane->Buffer();
    } else {
        sourcePane->SetText(sourceText);
    }

    // A record's slots all have their controls once it is laid out.
    const std::size_t withControls = std::min(documentation.parameters.size(), paramEdits.size());
    for (std::size_t k = 0; k < withControls; ++k) {
        ParameterDescription& parameter = documentation.parameters[k];
        ExchangeText(save, paramEdits[k], parameter.editText);
        ExchangeText(save, paramLabels[k], parameter.name);
    }
    ExchangeText(save, typeLabel, documentation.returnType);
    ExchangeText(save, functionLabel, documentation.functionName);
}

}  // namespace quill
