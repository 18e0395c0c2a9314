#pragma once
// A MainWindow on a temporary program folder with the recording platform,
// its controls found by name as a user finds them on screen, and the small
// helpers the window tests share.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "RecordingPlatform.h"
#include "core/settings/SettingsStore.h"
#include "window/MainWindow.h"
#include "window/platform/QtText.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

using Texts = std::vector<std::string>;

// The controls of a window, looked up by their control names.
struct WindowControls {
    explicit WindowControls(const MainWindow& window) : window_(window) {
        for (std::size_t k = 0; k < 4; ++k) {
            const std::string n = std::to_string(k + 1);
            paramLabels[k] = Find<ClickLabel>("ParamLabel" + n);
            paramCombos[k] = Find<NotifyingComboBox>("ParamCombo" + n);
            paramEdits[k] = Find<QLineEdit>("ParamEdit" + n);
            paramLists[k] = Find<QListWidget>("ParamList" + n);
            if (k < 3) {
                separatorLabels[k] = Find<QLabel>("SeparatorLabel" + n);
            }
        }
    }

    template <typename Widget = QWidget>
    Widget* Find(const std::string& name) const {
        auto* found =
            window_.findChild<Widget*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // What the parameter row shows: per slot the label's text, then "[item]"
    // for a drop-down or "<text>" for an entry field, then "," or ")" where
    // shown.
    std::string Row() const {
        std::string row;
        for (std::size_t k = 0; k < 4; ++k) {
            row += Shows(paramLabels[k]) ? ToBytes(paramLabels[k]->text()) : "";
            row += Shows(paramCombos[k]) ? "[" + ToBytes(paramCombos[k]->currentText()) + "]" : "";
            row += Shows(paramEdits[k]) ? "<" + ToBytes(paramEdits[k]->text()) + ">" : "";
            row += k < 3 && Shows(separatorLabels[k]) ? "," : "";
        }
        return row + (Shows(closeParenLabel) ? ")" : "");
    }

    // The open selection lists ("1234": all of them), then "X" when
    // ExitButton and "H" when HelpersButton shows.
    std::string Lists() const {
        std::string open;
        for (std::size_t k = 0; k < 4; ++k) {
            open += Shows(paramLists[k]) ? std::to_string(k + 1) : "";
        }
        return open + (Shows(exitButton) ? "X" : "") + (Shows(helpersButton) ? "H" : "");
    }

    bool Shows(const QWidget* control) const { return control->isVisibleTo(&window_); }

    const MainWindow& window_;
    NotifyingComboBox* libraryCombo = Find<NotifyingComboBox>("LibraryCombo");
    NotifyingComboBox* functionCombo = Find<NotifyingComboBox>("FunctionCombo");
    SourceView* sourcePane = Find<SourceView>("SourcePane");
    QPushButton* addButton = Find<QPushButton>("AddButton");
    QPushButton* unlistButton = Find<QPushButton>("UnlistButton");
    QPushButton* showButton = Find<QPushButton>("ShowButton");
    QPushButton* copyButton = Find<QPushButton>("CopyButton");
    QPushButton* exitButton = Find<QPushButton>("ExitButton");
    QPushButton* helpersButton = Find<QPushButton>("HelpersButton");
    QLabel* typeLabel = Find<QLabel>("TypeLabel");
    ClickLabel* functionLabel = Find<ClickLabel>("FunctionLabel");
    QLabel* closeParenLabel = Find<QLabel>("CloseParenLabel");
    QGroupBox* paramGroup = Find<QGroupBox>("ParamGroup");
    std::array<ClickLabel*, 4> paramLabels{};
    std::array<NotifyingComboBox*, 4> paramCombos{};
    std::array<QLineEdit*, 4> paramEdits{};
    std::array<QListWidget*, 4> paramLists{};
    std::array<QLabel*, 3> separatorLabels{};
};

// The entries of a combo box, in list order.
inline Texts Entries(const NotifyingComboBox* combo) {
    Texts entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries.push_back(combo->TextAt(i));
    }
    return entries;
}

// Lets queued announcements (the close-up of a list) reach their handlers.
inline void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

// Opens the list of `combo` with Alt+Down, walks to the entry `text` with
// Home and Down and takes it with Enter, which closes the list.
inline void PickFromList(NotifyingComboBox* combo, const std::string& text) {
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->view()->isVisible());
    const int index = combo->FindStringExact(text);
    ASSERT_GE(index, 0) << text;
    QTest::keyClick(combo->view(), Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(combo->view(), Qt::Key_Down);
    }
    QTest::keyClick(combo->view(), Qt::Key_Return);
    Settle();
    ASSERT_FALSE(combo->view()->isVisible());
    ASSERT_EQ(combo->currentIndex(), index);
    // The closed list hands the focus back to the window, which the
    // offscreen platform leaves to the application.
    combo->window()->windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor(
        [combo] { return QGuiApplication::focusWindow() == combo->window()->windowHandle(); }));
}

// Clicks into `control`, as the user moves the focus there.
inline void ClickInto(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    Settle();
}

// Clicks into `field` and types `text` at its end.
inline void Type(QWidget* field, const std::string& text) {
    ClickInto(field);
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, QString::fromStdString(text));
}

class WindowHarness {
public:
    // Builds the window; with `initialise` it also runs OnInitDialog and
    // shows it.
    explicit WindowHarness(bool initialise = true)
        : folder(dir.path().toStdString() + "/"),
          window(std::make_unique<MainWindow>(
              platform, AppPaths{folder, folder, folder + "Quill.ini", "Quill"})),
          ui(*window) {
        if (initialise) {
            Start();
        }
    }

    // Runs OnInitDialog and shows the window, as the start-up routine does.
    void Start() {
        window->OnInitDialog();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Writes `bytes` to `name` under the temporary folder (folders made as
    // needed) and returns the full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const {
        const std::string path = folder + name;
        QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string PathOf(const std::string& name) const { return folder + name; }

    std::string Setting(const std::string& section, const std::string& key) const {
        return GetSetting(section, key, "<missing>", 10000, folder + "Quill.ini");
    }
    void SetSetting(const std::string& section, const std::string& key,
                    const std::string& value) const {
        WriteSetting(section, key, value, folder + "Quill.ini");
    }
    // Lists `library` and makes it the last one chosen.
    void ListLibrary(const std::string& library) const {
        SetSetting("Libraries", library, "Yes");
        SetSetting("Last", "Library", library);
    }

    // The text SourcePane shows.
    std::string Shown() const { return ui.sourcePane->Text(); }

    // Opens the function list and picks `entry`.
    void Choose(const std::string& entry) const { PickFromList(ui.functionCombo, entry); }

    // Clicks a button as the user does; what the seam saw since.
    Texts Click(QAbstractButton* button) {
        platform.log.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
        return platform.log;
    }

    std::string Row() const { return ui.Row(); }
    std::string Lists() const { return ui.Lists(); }

    // The catalogue in one line, paths under the folder shortened: the
    // entries with the selected one starred, the keys of "Libraries", and
    // "Last" / "Library".
    std::string Catalogue() const {
        const auto shorter = [this](const std::string& path) {
            return path.rfind(folder, 0) == 0 ? path.substr(folder.size()) : path;
        };
        std::string text;
        for (int i = 0; i < ui.libraryCombo->count(); ++i) {
            text += shorter(ui.libraryCombo->TextAt(i)) +
                    (i == ui.libraryCombo->currentIndex() ? "* " : " ");
        }
        text += "| keys";
        for (const std::string& key : GetAllSettingKeys("Libraries", folder + "Quill.ini")) {
            text += " " + shorter(key);
        }
        return text + " | last " + shorter(Setting("Last", "Library"));
    }

    bool Shows(const QWidget* control) const { return control->isVisibleTo(window.get()); }

    QTemporaryDir dir;
    std::string folder;  // ends with "/"
    RecordingPlatform platform;
    std::unique_ptr<MainWindow> window;
    WindowControls ui;
};

}  // namespace quill
