#include "window/widgets/ControlWidgets.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>
#include <algorithm>

#include "core/text/TextOps.h"
#include "window/platform/QtText.h"
#include "window/widgets/ItemBytes.h"

namespace quill {

namespace {

// The application's style, except that a drop-down list opens below its
// field with at most the combo box's visible item count.
class ListBelowFieldStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The application's style, except that push buttons are drawn as default
// buttons.
class DefaultLookStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == QStyle::CE_PushButton || element == QStyle::CE_PushButtonBevel) {
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                QStyleOptionButton asDefault(*button);
                asDefault.features |= QStyleOptionButton::DefaultButton;
                QProxyStyle::drawControl(element, &asDefault, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// A style shared by the widgets that use it, living as long as the application.
template <typename Style>
Style* SharedStyle() {
    static Style* const style = [] {
        auto* made = new Style;
        made->setParent(QCoreApplication::instance());
        return made;
    }();
    return style;
}

// Entries held as byte strings, converted for display only when the box asks
// for one, so that a long list goes in with one reset of the model. It also
// takes single entries the way the box's own model does (insert a row, then
// set its text and bytes), so AddString and clear work on it unchanged.
class EntryListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void Assign(std::vector<std::string> entries) {
        beginResetModel();
        entries_ = std::move(entries);
        endResetModel();
    }
    const std::string& At(int row) const { return entries_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return QVariant();
        }
        const std::string& entry = At(index.row());
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            return ToQString(entry);
        }
        if (role == kBytesRole) {
            return AsByteArray(entry);
        }
        return QVariant();
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return false;
        }
        std::string& entry = entries_[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            entry = ToBytes(value.toString());
        } else if (role == kBytesRole) {
            entry = BytesOf(value);
        } else {
            return false;
        }
        emit dataChanged(index, index, {role});
        return true;
    }
    bool insertRows(int row, int count, const QModelIndex& parent) override {
        if (parent.isValid() || row < 0 || row > rowCount() || count < 0) {
            return false;
        }
        beginInsertRows(parent, row, row + count - 1);
        entries_.insert(entries_.begin() + row, static_cast<std::size_t>(count), std::string());
        endInsertRows();
        return true;
    }
    bool removeRows(int row, int count, const QModelIndex& parent) override {
        if (parent.isValid() || row < 0 || count < 0 || row + count > rowCount()) {
            return false;
        }
        if (count > 0) {
            beginRemoveRows(parent, row, row + count - 1);
            entries_.erase(entries_.begin() + row, entries_.begin() + row + count);
            endRemoveRows();
        }
        return true;
    }

private:
    std::vector<std::string> entries_;
};

// Shows the tooltips of every widget escaped, in place of the widget's own
// handling, which would read a text that looks like markup as markup.
class PlainToolTipFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        const QString tip = widget->toolTip();
        if (tip.isEmpty()) {
            // Left to the widget: item views show their items' tips, and an
            // ignored event goes on to the parent.
            return false;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), PlainToolTip(tip), widget,
                           QRect(), widget->toolTipDuration());
        event->accept();
        return true;
    }
};

}  // namespace

PlainLabel::PlainLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(text);
}

int PlainLabel::TextFlags() const {
    // An "&" marks a mnemonic only where the label has a buddy.
    const bool mnemonic =
        buddy() != nullptr && style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) != 0;
    return buddy() != nullptr ? (mnemonic ? Qt::TextShowMnemonic : Qt::TextHideMnemonic) : 0;
}

bool PlainLabel::IsElided() const {
    const QString shown = text();
    if (shown.isEmpty() || wordWrap() || shown.contains(QLatin1Char('\n'))) {
        return false;
    }
    return fontMetrics().size(TextFlags(), shown).width() > contentsRect().width();
}

bool PlainLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && IsElided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), PlainToolTip(text()),
                           this);
        return true;
    }
    return QLabel::event(event);
}

void PlainLabel::paintEvent(QPaintEvent* event) {
    if (!IsElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const int flags = TextFlags();
    const QString shown =
        fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width(), flags);
    style()->drawItemText(
        &painter, contentsRect(),
        static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())) | flags,
        palette(), isEnabled(), shown, foregroundRole());
}

QLabel* NewPlainLabel(const QString& text, QWidget* parent) {
    return new PlainLabel(text, parent);
}

QString PlainToolTip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void ShowToolTipsAsPlainText(QObject* owner) {
    QCoreApplication::instance()->installEventFilter(new PlainToolTipFilter(owner));
}

void GiveDefaultButtonLook(QPushButton* button) {
    button->setStyle(SharedStyle<DefaultLookStyle>());
}

NotifyingComboBox::NotifyingComboBox(QWidget* parent) : QComboBox(parent) {
    // Typed text never becomes an entry by itself.
    setInsertPolicy(QComboBox::NoInsert);
}

int NotifyingComboBox::AddString(const std::string& text) {
    int index = count();
    if (sorted_) {
        // After every entry that does not sort behind the new one.
        int low = 0;
        int high = count();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (LessIgnoringCase(text, TextAt(middle))) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        index = low;
    }
    insertItem(index, ToQString(text));
    setItemData(index, AsByteArray(text), kBytesRole);
    return index;
}

void NotifyingComboBox::AddStrings(const std::vector<std::string>& texts) {
    if (!sorted_ || count() != 0) {
        for (const std::string& text : texts) {
            AddString(text);
        }
        return;
    }
    std::vector<std::string> ordered(texts);
    SortIgnoringCase(ordered);
    SetEntries(std::move(ordered));
}

void NotifyingComboBox::SetEntries(std::vector<std::string> ordered) {
    auto* entries = dynamic_cast<EntryListModel*>(model());
    if (entries == nullptr) {
        entries = new EntryListModel(this);
        setModel(entries);  // the box's own model goes
    }
    entries->Assign(std::move(ordered));
}

int NotifyingComboBox::FindStringExact(const std::string& text) const {
    for (int i = 0; i < count(); ++i) {
        if (EqualsIgnoringCase(TextAt(i), text)) {
            return i;
        }
    }
    return -1;
}

std::string NotifyingComboBox::TextAt(int index) const {
    if (index < 0 || index >= count()) {
        return std::string();
    }
    if (const auto* entries = dynamic_cast<const EntryListModel*>(model())) {
        return entries->At(index);
    }
    const QVariant bytes = itemData(index, kBytesRole);
    if (bytes.isValid()) {
        return BytesOf(bytes);
    }
    return ToBytes(itemText(index));
}

void NotifyingComboBox::FitBoxHeight() {
    if (listExtent_ == 0) {
        listExtent_ = height();
    }
    const int boxHeight = sizeHint().height();
    resize(width(), boxHeight);
    const int itemHeight = std::max(1, fontMetrics().height() + 2);
    setMaxVisibleItems(std::max(minimumRows_, (listExtent_ - boxHeight) / itemHeight));
}

void NotifyingComboBox::OpenListBelowField() {
    setStyle(SharedStyle<ListBelowFieldStyle>());
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void NotifyingComboBox::showPopup() {
    emit droppedDown();
    if (count() == 0) {
        // No list opens for an empty box, so nothing would close it: the
        // close-up is announced now, as after any other opening.
        QMetaObject::invokeMethod(
            this, [this] { emit closedUp(); }, Qt::QueuedConnection);
        return;
    }
    popupOpen_ = true;
    QComboBox::showPopup();
}

void NotifyingComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (!popupOpen_) {
        return;
    }
    popupOpen_ = false;
    // Qt applies a clicked item only after hiding the list, so the
    // announcement waits until that is done.
    QMetaObject::invokeMethod(
        this, [this] { emit closedUp(); }, Qt::QueuedConnection);
}

SelectionList::SelectionList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

QItemSelectionModel::SelectionFlags SelectionList::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    if (event != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if ((key->modifiers() & Qt::ShiftModifier) == 0) {
            switch (key->key()) {
                case Qt::Key_Space:
                    return QItemSelectionModel::Toggle;
                case Qt::Key_Up:
                case Qt::Key_Down:
                case Qt::Key_Home:
                case Qt::Key_End:
                case Qt::Key_PageUp:
                case Qt::Key_PageDown:
                    return QItemSelectionModel::NoUpdate;
                default:
                    break;
            }
        }
    }
    return QListWidget::selectionCommand(index, event);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : PlainLabel(text, parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    PlainLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    PlainLabel::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}

FrameGroupBox::FrameGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void FrameGroupBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    if (title().isEmpty()) {
        return;
    }
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) != 0;
    const int flags =
        Qt::AlignLeft | Qt::AlignTop | (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    const int indent = metrics.averageCharWidth();
    QRect text = metrics.boundingRect(QRect(indent, 0, width() - 2 * indent, metrics.height()),
                                      flags, title());
    text.adjust(-2, 0, 2, 0);
    painter.fillRect(text, palette().color(QPalette::Window));
    style()->drawItemText(&painter, text, flags | Qt::AlignHCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

}  // namespace quill
