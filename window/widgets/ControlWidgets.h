#pragma once
// Widgets of the main window with the behaviour its handlers rely on: combo
// boxes that announce the opening and closing of their
// list and keep a case-insensitive sorted order, and labels that report clicks.
//
// Texts from libraries, settings and paths are shown as they stand: a label
// never reads its text as markup, and tooltips are escaped before Qt sees
// them, so a tag in a header neither formats anything nor loads a file.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <string>
#include <vector>

namespace quill {

class NotifyingComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit NotifyingComboBox(QWidget* parent = nullptr);

    // A sorted combo box keeps its entries in ascending order ignoring case;
    // an unsorted one appends.
    void SetSorted(bool sorted) { sorted_ = sorted; }
    bool IsSorted() const { return sorted_; }

    // Adds an entry at its place (sorted) or at the end; returns its index.
    int AddString(const std::string& text);
    // Adds many entries at once, in the same places AddString would give them.
    void AddStrings(const std::vector<std::string>& texts);
    // Replaces every entry with `ordered`, kept in the order given, in one
    // step; the first one is selected, as when entries are added to an
    // empty box. A sorted box expects them in its order (SortIgnoringCase).
    void SetEntries(std::vector<std::string> ordered);

    // Index of the entry equal to `text` ignoring ASCII case, searching the
    // whole list from the start; -1 when there is none.
    int FindStringExact(const std::string& text) const;

    // The entry's text as it was added (bytes unchanged); "" for a bad index.
    std::string TextAt(int index) const;
    // Text of the selected entry, "" when nothing is selected.
    std::string SelectedText() const { return TextAt(currentIndex()); }

    // The first call takes the current height as the extent of the opened
    // list; every call gives the closed box the height its style and font
    // need and lets the list open about that far.
    void FitBoxHeight();
    // The opened list shows at least `rows` rows, whatever its extent.
    void SetMinimumVisibleRows(int rows) { minimumRows_ = rows; }

    // Opens the list below the field, as tall as the extent FitBoxHeight
    // took and with a scroll bar, also under styles that would place it over
    // the field and let it grow to the screen's height.
    void OpenListBelowField();

    // Announce droppedDown() first, then open the list.
    void showPopup() override;
    // Close the list, then announce closedUp() once the choice is applied.
    void hidePopup() override;

signals:
    // The list is about to open: handlers may still change its entries.
    void droppedDown();
    // The list has closed, whether or not the selection changed.
    void closedUp();

private:
    bool sorted_ = false;
    bool popupOpen_ = false;
    int listExtent_ = 0;
    int minimumRows_ = 1;
};

// Draws `button` with the default button's look; which button Enter
// presses stays as it was.
void GiveDefaultButtonLook(QPushButton* button);

// A list with extended selection (a click picks one item, Ctrl adds or
// removes one, Shift a run) whose keyboard moves the current item without
// changing the selection and toggles it with Space.
class SelectionList : public QListWidget {
    Q_OBJECT

public:
    explicit SelectionList(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
};

// A label showing its text as plain text, whatever it holds. A one-line
// text wider than the label is shown shortened in the middle with "…", and
// the whole of it shows as the tooltip, unless the label has a tooltip of
// its own; text() keeps the whole text.
class PlainLabel : public QLabel {
    Q_OBJECT

public:
    explicit PlainLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // Whether the text is shown shortened at the label's present width.
    bool IsElided() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int TextFlags() const;
};

// A label showing `text` as plain text, whatever it holds (a PlainLabel).
QLabel* NewPlainLabel(const QString& text, QWidget* parent);

// The rich text that shows `text` in a tooltip character for character, on
// its own lines.
QString PlainToolTip(const QString& text);

// From now on, as long as `owner` lives, every tooltip of the application
// shows its widget's toolTip() as plain text.
void ShowToolTipsAsPlainText(QObject* owner);

// A plain-text label (see NewPlainLabel) that reports clicks.
class ClickLabel : public PlainLabel {
    Q_OBJECT

public:
    explicit ClickLabel(const QString& text = QString(), QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A group box drawn as a plain etched frame whose title sits on the frame's
// top line, the same under every style; it only frames and takes no clicks.
class FrameGroupBox : public QGroupBox {
    Q_OBJECT

public:
    explicit FrameGroupBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quill
