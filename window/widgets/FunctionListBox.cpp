#include "window/widgets/FunctionListBox.h"

#include <QKeyEvent>
#include <QListView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "core/library/FunctionNameSearch.h"
#include "window/platform/QtText.h"

namespace quill {

// The view of the open list: typed text goes to the name search of its box.
// While the list is closed, the box's own type-ahead is left as it was.
class NameSearchView : public QListView {
public:
    explicit NameSearchView(FunctionListBox* box) : box_(box) {}

    void keyboardSearch(const QString& search) override {
        if (!isVisible()) {
            QListView::keyboardSearch(search);
            return;
        }
        for (const QChar c : search) {
            if (!c.isPrint()) {
                return;
            }
        }
        box_->Type(ToBytes(search));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool plain = (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
        if (plain && event->key() == Qt::Key_Backspace) {
            box_->Type(std::string());
            event->accept();
            return;
        }
        if (plain && event->key() == Qt::Key_F3) {
            box_->Step((event->modifiers() & Qt::ShiftModifier) == 0);
            event->accept();
            return;
        }
        QListView::keyPressEvent(event);
    }

private:
    FunctionListBox* box_;
};

FunctionListBox::FunctionListBox(QWidget* parent) : NotifyingComboBox(parent) {
    setView(new NameSearchView(this));
    SetMinimumVisibleRows(kVisibleRows);
}

void FunctionListBox::showPopup() {
    typed_.clear();
    found_ = true;
    names_.clear();
    NotifyingComboBox::showPopup();
    // The list has been filled for this opening: its names are made now, so
    // that no keystroke waits for them.
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i) {
        entries.push_back(TextAt(i));
    }
    names_ = SearchableNames(entries);
}

void FunctionListBox::hidePopup() {
    typed_.clear();
    update();
    NotifyingComboBox::hidePopup();
}

void FunctionListBox::Type(const std::string& typed) {
    if (typed.empty()) {
        if (typed_.empty()) {
            return;
        }
        typed_.pop_back();
    } else {
        typed_ += typed;
    }
    Highlight(BestNameMatch(names_, typed_));
}

void FunctionListBox::Step(bool forward) {
    if (!typed_.empty()) {
        Highlight(NextNameMatch(names_, typed_, view()->currentIndex().row(), forward));
    }
}

void FunctionListBox::Highlight(long row) {
    found_ = typed_.empty() || row >= 0;
    if (row >= 0) {
        const QModelIndex index = model()->index(static_cast<int>(row), modelColumn());
        view()->setCurrentIndex(index);
        view()->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    update();
}

void FunctionListBox::paintEvent(QPaintEvent* event) {
    if (typed_.empty()) {
        NotifyingComboBox::paintEvent(event);
        return;
    }
    // The field shows what is being looked for while the list is open.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentIcon = QIcon();
    option.currentText = QStringLiteral("Find: ") + ToQString(typed_) +
                         (found_ ? QString() : QStringLiteral("   (no such name)"));
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace quill
