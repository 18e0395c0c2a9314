#pragma once
// The one window of Quill: every control, all state that lives between two
// user actions, and one handler per control event.
//
// Only construction, initialisation and the modal run are public. Each
// handler is a private member function declared here under its subsystem
// and defined in that subsystem's folder (catalogue/, source/, params/,
// compose/); as a member it reads and writes the controls and the state
// below directly. A new handler is declared here together with its
// definition, and connected in RouteEvents (window/EventRouting.cpp) or called
// from eventFilter there. This folder holds construction, the controls, the
// data exchange, the layout measurement, the event routing,
// CloseSelectionLists and the buttons' home positions.
//
// Tests drive the window through its controls, found by their objectName
// (the control's name), and through the platform seam; the read-only
// accessors report the little that no control shows.

#include <QIcon>
#include <QPoint>
#include <array>
#include <string>
#include <vector>

#include "core/compose/SlotGeometry.h"
#include "core/docs/FunctionDocumentation.h"
#include "core/docs/VendorValues.h"
#include "core/library/LibraryDeclarations.h"
#include "core/settings/AppPaths.h"
#include "core/text/NoText.h"
#include "window/widgets/EndingDialog.h"
#include "window/widgets/SourceView.h"

class QCloseEvent;
class QContextMenuEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quill {

class Platform;
class NotifyingComboBox;
class ClickLabel;

class MainWindow : public EndingDialog {
    Q_OBJECT

public:
    MainWindow(Platform& platform, AppPaths paths, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Initialises the window (fonts, icons, start-up library, layout values);
    // the start-up routine runs it once before the window is shown.
    void OnInitDialog();

    // What no control shows: the chosen function's documentation with the
    // values last saved from the entry fields, the full path of its helper
    // program (kNoText for none), and the library selected when the window
    // opened.
    const FunctionDocumentation& Documentation() const { return documentation; }
    const std::string& HelperPath() const { return helperProgram; }
    const std::string& StartupLibrary() const { return startupLibrary; }

    // The OK command saves the controls' values, then ends the dialog.
    void accept() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window menu on the window's background (where the desktop has none).
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef _WIN32
    // The about item of the system menu.
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- Construction and routing (app/) ---

    void CreateControls();
    // Both take the controls in the order they were made (the tab order).
    void ApplyStackingOrder(const std::vector<QWidget*>& controls);
    void ApplyTabOrder(const std::vector<QWidget*>& controls);
    void RouteEvents();
    void LoadStartupLibrary();
    void SetUpToolTips();
    void AddAboutMenuItem();
    void ShowWindowMenu(const QPoint& where);
    void ShowAboutBox();
    void SetWindowIcons();
    void SetMarkButtonImage();
    void MeasureLayout();

    // Moves every bound value between the members and the controls: with
    // save true from the controls into the members, with save false the other
    // way. A control is written only when its value differs.
    void UpdateData(bool save);

    // Closes the parameter selection lists except list `keep` (1 and on; 0 for
    // none) and brings back ExitButton and, when there is a helper program,
    // HelpersButton at their home positions.
    void CloseSelectionLists(int keep = 0);
    // ExitButton, HelpersButton: shown at their home positions.
    void ShowExitButtonAtHome();
    void ShowHelpersButtonAtHome();

    // Shows a message box with the program's caption; returns the answer.
    int ShowMessage(const std::string& text, unsigned style);

    // --- Library catalogue (catalogue/) ---

    // Builds LibraryCombo from the settings file; 1 + the selected index, or 0.
    int LoadLibraryList();
    void AddLibrary();     // AddButton clicked
    void UnlistLibrary();  // UnlistButton clicked
    void SelectLibrary();  // LibraryCombo's list closed
    // After a change of library: FillFunctionList; when it found functions,
    // ShowLibrarySource; then FunctionCombo is emptied again.
    void RunLibraryChangeSequence(const std::string& libraryPath);
    // Vendor mode of a library: its own switch in the settings file, else
    // the automatic choice (UsesVendorMode).
    bool LibraryInVendorMode(const std::string& libraryPath) const;
    // LibraryCombo's context menu: switches vendor mode for the selected
    // library, remembers it and reads the library again.
    void ShowLibraryMenu(const QPoint& at);
    void SwitchVendorMode(bool on);

    // --- Function list and source view (source/) ---

    // Refills FunctionCombo from the library and re-selects the stored
    // choice; 1 + the selected index, 0 when nothing is selected.
    int FillFunctionList(std::string libraryPath);
    void ShowLibrarySource();    // ShowButton clicked, and after library changes
    void RefreshFunctionList();  // FunctionCombo's list is about to open
    // Puts the documentation block of `entry` of the library at
    // `libraryPath` into the source text; returns the path actually read.
    std::string LookUpPrototype(const std::string& libraryPath, const std::string& entry);
    // ShowLibrarySource without writing the controls: the source text becomes
    // the selected library's file, or "" after its message. Handlers that
    // replace the text again write SourcePane once, at their end; those that
    // want only the messages pass `textWanted` false and get "", the file
    // opened but not read.
    void LoadLibrarySourceText(bool textWanted);

    // --- Parameters (params/) ---

    void OnFunctionChosen();  // FunctionCombo's list closed
    void LayOutParameterSlots();
    // Makes the controls of slots 5 to `count` that do not exist yet, named,
    // routed and in the tab order like the first four.
    void MakeParameterSlots(int count);
    // Grows or shrinks the window so that `rows` rows of slots fit above the
    // controls at its bottom, which move down with it.
    void FitWindowToSlotRows(int rows);
    void OnParamLabelClicked(int k);  // ParamLabel1 and on, k = 1 and on
    void OnFunctionLabelClicked();
    // Scrolls SourcePane so that the line holding `position` (-1: the caret's
    // line) becomes the first visible line.
    void ScrollSourceTo(long position);

    // --- Call text (compose/) ---

    void CopyCallText();     // CopyButton clicked
    void CopyIncludeText();  // IncludeButton clicked
    void PlaceTextOnClipboard(const std::string& text);
    void OnParamEditSetFocus(int k);   // ParamEdit1 and on gained the focus
    void OnParamEditKillFocus(int k);  // ... lost it
    void OnParamListSetFocus(int k);   // ParamList1 and on gained the focus
    void OnParamListKillFocus(int k);  // ... lost it
    // Runs the helper program of entry field k and puts the first line it
    // prints into the field.
    void RunFieldHelper(int k, const std::string& choiceText);
    // Whether field k's vendor combination list opens only when asked: its
    // field is the developer's to type into.
    bool IsSuggestedCombination(int k) const;
    // The multi-selection list of field k, opened from its field.
    void OpenSuggestedCombination(int k);
    // Opens ParamList k under its field with `items`, those that begin the
    // parts of the field's value selected, and hides what the list covers.
    void OpenSelectionList(int k, const std::vector<std::string>& items);
    // The items of ParamList k: the parameter's own flags list, or the
    // combination vendor documentation suggests where it has no choice text;
    // empty when the parameter has no selection list.
    std::vector<std::string> SelectionItems(int k) const;

    // --- Help and setup (app/) ---

    void ShowHelp();          // HelpButton clicked
    bool ShowHelpForKey();    // F1 anywhere in the window
    void RunHelperProgram();  // HelpersButton clicked
    void OpenSetupDialog();   // SetupButton clicked

    // --- Controls ---
    // Each one's objectName is its control name and its property "controlId"
    // its control id. Parameter k (1 and on) is at index k - 1 of the lists.

    QPushButton* includeButton = nullptr;
    QPushButton* unlistButton = nullptr;
    QPushButton* addButton = nullptr;
    NotifyingComboBox* libraryCombo = nullptr;
    NotifyingComboBox* functionCombo = nullptr;
    SourceView* sourcePane = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* exitButton = nullptr;
    QGroupBox* helpGroup = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* setupButton = nullptr;
    QGroupBox* libraryGroup = nullptr;
    // One entry per slot the window has made; the first four (three
    // separators) are the design's, the others are made for functions with
    // more parameters (MakeParameterSlots) and kept.
    std::vector<QLabel*> separatorLabels;
    QLabel* closeParenLabel = nullptr;
    QLabel* openParenLabel = nullptr;
    QPushButton* quillMarkButton = nullptr;
    QPushButton* cancelButton = nullptr;
    std::vector<ClickLabel*> paramLabels;
    QPushButton* showButton = nullptr;
    QGroupBox* paramGroup = nullptr;
    QLabel* typeLabel = nullptr;
    ClickLabel* functionLabel = nullptr;
    std::vector<NotifyingComboBox*> paramCombos;
    std::vector<QLineEdit*> paramEdits;
    std::vector<QListWidget*> paramLists;
    QPushButton* helpersButton = nullptr;

    // --- State ---

    Platform& platform;
    const AppPaths paths;

    RowMetrics row;              // measured when the window opens
    SlotSizes slotSizes;         // set for every function with parameters
    QPoint exitButtonPos;        // home position of ExitButton
    QPoint helpersButtonPos;     // home position of HelpersButton
    std::string startupLibrary;  // library selected when the window opened
    // Values vendor documentation names for parameters without a choice text.
    std::vector<Suggestions> suggestions = std::vector<Suggestions>(kMaxParameters);
    // How far the rows of slots below the first have pushed the window's
    // bottom controls down, in pixels.
    int slotRowsHeight = 0;
    // The enums and value groups of the library last chosen from, read once
    // per library for all of its functions.
    LibraryDeclarations libraryDeclarations;
    std::string declarationsLibrary;
    std::string helperProgram{kNoText};  // full path of the helper program, kNoText for none
    bool helperLaunched = false;         // an entry field's helper ran during this visit
    QFont sourceFont;
    QIcon appIcon;

    // Bound values (UpdateData). The chosen function's documentation is
    // bound too: its function name to FunctionLabel, its return type to
    // TypeLabel, and per parameter the name to ParamLabel1 to ParamLabel4
    // and the entry text to ParamEdit1 to ParamEdit4.
    FunctionDocumentation documentation;
    int functionIndex = -1;  // selection of FunctionCombo
    int libraryIndex = -1;   // selection of LibraryCombo
    // SourcePane; shared with the pane, which only reads it, so that a
    // large library is held once.
    SharedText sourceText = ShareText("");
};

}  // namespace quill
