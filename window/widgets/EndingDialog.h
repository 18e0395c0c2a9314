#pragma once
// A dialog that knows when it is ending: while done() runs, the focus leaves
// its fields and its window closes, and handlers of those events can tell
// that apart from the user's own moves.

#include <QDialog>

namespace quill {

class EndingDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    void done(int result) override;

protected:
    // Inside done().
    bool Ending() const { return ending_; }

private:
    bool ending_ = false;
};

}  // namespace quill
