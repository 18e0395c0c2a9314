#pragma once
// The about box: the program's icon, its name and version, one line on
// what it is for, and OK.

#include <QDialog>

namespace quill {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace quill
