#pragma once
// The function list: a sorted drop-down list whose open list finds a function
// by any piece of its name. Letters typed into the open list gather into a
// search text that the field shows; each one moves the highlight to the best
// match (core/library/FunctionNameSearch), F3 and Shift+F3 move it to the
// next and previous match, Backspace takes the last letter back. Enter or a
// click chooses as always. The entries, their order and the selection stay
// as they are until a choice is made; the search starts afresh at every
// opening.

#include <string>
#include <vector>

#include "window/widgets/ControlWidgets.h"

namespace quill {

class FunctionListBox : public NotifyingComboBox {
    Q_OBJECT

public:
    // At least this many rows show when the list opens.
    static constexpr int kVisibleRows = 24;

    explicit FunctionListBox(QWidget* parent = nullptr);

    // What has been typed since the list opened.
    const std::string& SearchText() const { return typed_; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class NameSearchView;

    // The search text grows by `typed`, or loses its last letter when
    // `typed` is empty; the highlight goes to the best match.
    void Type(const std::string& typed);
    // The highlight goes to the next (or previous) match of the search text.
    void Step(bool forward);
    void Highlight(long row);

    std::string typed_;
    bool found_ = true;
    // The searchable names of the entries, made at each opening.
    std::vector<std::string> names_;
};

}  // namespace quill
