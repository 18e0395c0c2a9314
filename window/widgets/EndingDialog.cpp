#include "window/widgets/EndingDialog.h"

namespace quill {

void EndingDialog::done(int result) {
    ending_ = true;
    QDialog::done(result);
    ending_ = false;
}

}  // namespace quill
