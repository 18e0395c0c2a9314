#pragma once
// A MainWindow on a temporary program folder with the recording platform,
// and the small helpers the window tests share.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "RecordingPlatform.h"
#include "app/ControlWidgets.h"
#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "platform/QtText.h"

namespace quill {

using Texts = std::vector<std::string>;

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

// What the parameter row shows: per slot the label's text, then "[item]"
// for a drop-down or "<text>" for an entry field, then "," or ")" where
// shown.
inline std::string Row(const MainWindow& w) {
    std::string row;
    for (std::size_t k = 0; k < 4; ++k) {
        row += w.paramLabels[k]->isVisibleTo(&w) ? ToBytes(w.paramLabels[k]->text()) : "";
        row +=
            w.paramCombos[k]->isVisibleTo(&w) ? "[" + w.paramCombos[k]->SelectedText() + "]" : "";
        row += w.paramEdits[k]->isVisibleTo(&w) ? "<" + ToBytes(w.paramEdits[k]->text()) + ">" : "";
        row += k < 3 && w.separatorLabels[k]->isVisibleTo(&w) ? "," : "";
    }
    return row + (w.closeParenLabel->isVisibleTo(&w) ? ")" : "");
}

// The open selection lists ("1234": all of them), then "X" when ExitButton
// and "H" when HelpersButton shows.
inline std::string Lists(const MainWindow& w) {
    std::string open;
    for (std::size_t k = 0; k < 4; ++k) {
        open += w.paramLists[k]->isVisibleTo(&w) ? std::to_string(k + 1) : "";
    }
    return open + (w.exitButton->isVisibleTo(&w) ? "X" : "") +
           (w.helpersButton->isVisibleTo(&w) ? "H" : "");
}

class WindowHarness {
public:
    // Builds the window; with `initialise` it also runs OnInitDialog.
    explicit WindowHarness(bool initialise = true)
        : folder(dir.path().toStdString() + "/"),
          window(std::make_unique<MainWindow>(
              platform, AppPaths{folder, folder, folder + "Quill.ini", "Quill"})) {
        if (initialise) {
            window->OnInitDialog();
        }
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

    // The text SourcePane shows, and a text put there through its bound value.
    std::string Shown() const { return ToBytes(window->sourcePane->toPlainText()); }
    void ShowText(const std::string& text) const {
        window->sourceText = text;
        window->UpdateData(false);
    }

    // Opens every selection list below the row and hides the two buttons an
    // open list covers, as the selection lists do.
    void OpenAllLists() const {
        for (int k = 0; k < 4; ++k) {
            window->paramLists[static_cast<std::size_t>(k)]->setGeometry(40 + 100 * k, 300, 90,
                                                                         120);
            window->paramLists[static_cast<std::size_t>(k)]->show();
        }
        window->exitButton->setGeometry(1, 1, 1, 1);
        window->exitButton->hide();
        window->helpersButton->setGeometry(1, 1, 1, 1);
        window->helpersButton->hide();
    }

    QTemporaryDir dir;
    std::string folder;  // ends with "/"
    RecordingPlatform platform;
    std::unique_ptr<MainWindow> window;
};

}  // namespace quill
