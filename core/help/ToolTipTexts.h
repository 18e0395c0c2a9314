#pragma once
// The tooltip of each control that has one, in the order the tools are
// registered; the controls not listed have none.

#include <array>

namespace quill {

struct ToolTipText {
    const char* control;  // the control's name (objectName)
    const char* text;
};

inline constexpr std::array<ToolTipText, 23> kToolTipTexts{{
    {"CopyButton", "Places function text in clipboard."},
    {"HelpersButton", "Click to launch helper application."},
    {"UnlistButton", "Click to remove library from library list."},
    {"ParamList1", "Hold Ctl for multiple selection."},
    {"ParamList2", "Hold Ctl for multiple selection."},
    {"ParamList3", "Hold Ctl for multiple selection."},
    {"ParamList4", "Hold Ctl for multiple selection."},
    {"ParamCombo1", "Select value from list."},
    {"ParamCombo2", "Select value from list."},
    {"ParamCombo3", "Select value from list."},
    {"ParamCombo4", "Select value from list."},
    {"ParamEdit1", "Details of Parameter selection."},
    {"ParamEdit2", "Details of Parameter selection."},
    {"ParamEdit3", "Details of Parameter selection."},
    {"ParamEdit4", "Details of Parameter selection."},
    {"ShowButton", "Click to show header file in Source Code window."},
    {"AddButton", "Browse to add another library."},
    {"ParamLabel1", "Click to go to details in Source Code."},
    {"ParamLabel2", "Click to go to details in Source Code."},
    {"ParamLabel3", "Click to go to details in Source Code."},
    {"ParamLabel4", "Click to go to details in Source Code."},
    {"SetupButton", "Click to open Setup window."},
    {"HelpButton", "Click to open help."},
}};

}  // namespace quill
