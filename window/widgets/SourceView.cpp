#include "window/widgets/SourceView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "window/platform/QtText.h"

namespace quill {

namespace {

// Room between the frame and the text, as a text document leaves it.
constexpr int kMargin = 4;
// Lines are never wrapped; a layout gets a width no line reaches.
constexpr qreal kUnboundedWidth = 1e7;
// Longer lines are laid out only around what is shown, with this many
// columns to spare on either side.
constexpr int kLongLine = 4096;
constexpr int kSpareColumns = 256;

bool IsWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

}  // namespace

SourceView::SourceView(QWidget* parent)
    : QAbstractScrollArea(parent), text_(std::make_shared<const std::string>()) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    IndexLines();
    UpdateScrollBars();
}

SourceView::~SourceView() = default;

void SourceView::SetText(SharedText text) {
    if (!text) {
        text = std::make_shared<const std::string>();
    }
    if (text == text_ || *text == *text_) {
        // The same bytes: keep one copy of them, and the reader's place.
        text_ = std::move(text);
        return;
    }
    text_ = std::move(text);
    longLine_ = -1;
    longLineText_.clear();
    IndexLines();
    anchor_ = caret_ = Place{};
    widestSeen_ = 0;
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    emit textChanged();
}

void SourceView::IndexLines() {
    const std::string& text = *text_;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    // Calls `lineEnd` with the byte after every line feed, found with the
    // library's vectorised search.
    const auto forEachLineEnd = [&](auto&& lineEnd) {
        const char* start = begin;
        while (const void* found =
                   std::memchr(start, '\n', static_cast<std::size_t>(end - start))) {
            const char* next = static_cast<const char*>(found) + 1;
            lineEnd(start, next);
            start = next;
        }
        return start;
    };
    // Counting first spares the index the copies of a growing vector.
    std::size_t lines = 1;
    forEachLineEnd([&](const char*, const char*) { ++lines; });
    lineStarts_.clear();
    lineStarts_.shrink_to_fit();
    lineStarts_.reserve(lines);
    lineStarts_.push_back(0);
    longestLine_ = 0;
    const char* last = forEachLineEnd([&](const char* start, const char* next) {
        longestLine_ = std::max(longestLine_, static_cast<std::size_t>(next - start));
        lineStarts_.push_back(static_cast<std::size_t>(next - begin));
    });
    longestLine_ = std::max(longestLine_, static_cast<std::size_t>(end - last));
}

std::string_view SourceView::LineBytes(int line) const {
    const std::string& text = *text_;
    const auto k = static_cast<std::size_t>(line);
    const std::size_t start = lineStarts_[k];
    std::size_t end = k + 1 < lineStarts_.size() ? lineStarts_[k + 1] - 1 : text.size();
    // "\r\n" ends a line as "\n" does.
    if (end > start && text[end - 1] == '\r') {
        --end;
    }
    return std::string_view(text).substr(start, end - start);
}

int SourceView::LineOf(std::size_t position) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return static_cast<int>(after - lineStarts_.begin()) - 1;
}

QString SourceView::LineText(int line) const {
    if (line < 0 || line >= LineCount()) {
        return QString();
    }
    const std::string_view bytes = LineBytes(line);
    if (bytes.size() <= kLongLine) {
        return ToQString(bytes);
    }
    // A long line is converted once for all the repaints that show it.
    if (longLine_ != line) {
        longLineText_ = ToQString(bytes);
        longLine_ = line;
    }
    return longLineText_;
}

qreal SourceView::Pitch() const {
    return std::max<qreal>(1, QFontMetricsF(font()).horizontalAdvance(QLatin1Char('x')));
}

SourceView::LaidOutLine SourceView::LayOut(int line, qreal fromX, qreal toX) const {
    LaidOutLine laidOut;
    QString text = LineText(line);
    laidOut.columns = static_cast<int>(text.size());
    if (text.size() > kLongLine) {
        const qreal pitch = Pitch();
        const auto column = [&](qreal x) {
            return static_cast<int>(std::clamp<qreal>(x / pitch, 0, laidOut.columns));
        };
        laidOut.firstColumn = std::max(0, column(fromX) - kSpareColumns);
        const int lastColumn = std::min(laidOut.columns, column(toX) + kSpareColumns);
        text = text.mid(laidOut.firstColumn, lastColumn - laidOut.firstColumn);
        laidOut.left = laidOut.firstColumn * pitch;
    }
    laidOut.layout = std::make_unique<QTextLayout>(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    laidOut.layout->setTextOption(option);
    laidOut.layout->beginLayout();
    QTextLine textLine = laidOut.layout->createLine();
    if (textLine.isValid()) {
        textLine.setLineWidth(kUnboundedWidth);
    }
    laidOut.layout->endLayout();
    return laidOut;
}

qreal SourceView::LaidOutLine::XOf(int column, qreal pitch) const {
    const int inLayout = column - firstColumn;
    if (layout->lineCount() == 0 || inLayout < 0 || inLayout > layout->text().size()) {
        return column * pitch;
    }
    return left + layout->lineAt(0).cursorToX(inLayout);
}

int SourceView::LaidOutLine::ColumnAt(qreal x) const {
    if (layout->lineCount() == 0) {
        return 0;
    }
    return firstColumn + layout->lineAt(0).xToCursor(x - left);
}

int SourceView::LineHeight() const {
    return std::max(1, fontMetrics().height());
}

int SourceView::VisibleLines() const {
    return std::max(1, (viewport()->height() - kMargin) / LineHeight());
}

int SourceView::FirstVisibleLine() const {
    return verticalScrollBar()->value();
}

void SourceView::ScrollToLine(int line) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(std::clamp(line, bar->minimum(), bar->maximum()));
}

void SourceView::UpdateScrollBars() {
    QScrollBar* vertical = verticalScrollBar();
    const int visible = VisibleLines();
    vertical->setRange(0, std::max(0, LineCount() - visible));
    vertical->setPageStep(visible);
    vertical->setSingleStep(1);

    // The widest line is guessed from its bytes until it is laid out.
    const double guessed = static_cast<double>(longestLine_) * Pitch();
    const double widest =
        std::min(std::max(guessed, static_cast<double>(widestSeen_)) + 2 * kMargin, 1e9);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, static_cast<int>(widest) - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
}

void SourceView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const QPalette& colors = palette();
    painter.setPen(colors.color(group, QPalette::Text));
    QTextCharFormat selected;
    selected.setBackground(colors.color(group, QPalette::Highlight));
    selected.setForeground(colors.color(group, QPalette::HighlightedText));

    const Place from = std::min(anchor_, caret_);
    const Place to = std::max(anchor_, caret_);
    const int height = LineHeight();
    const qreal left = kMargin - horizontalScrollBar()->value();
    const int widestBefore = widestSeen_;
    const qreal shownFrom = horizontalScrollBar()->value();
    const qreal shownTo = shownFrom + viewport()->width();
    for (int line = FirstVisibleLine(), y = kMargin; line < LineCount() && y < viewport()->height();
         ++line, y += height) {
        const LaidOutLine laidOut = LayOut(line, shownFrom, shownTo);
        const QTextLayout& layout = *laidOut.layout;
        if (layout.lineCount() > 0) {
            const qreal right = laidOut.left + layout.lineAt(0).naturalTextWidth();
            widestSeen_ = std::max(widestSeen_, static_cast<int>(std::ceil(right)));
        }
        QList<QTextLayout::FormatRange> selections;
        if (from != to && line >= from.line && line <= to.line) {
            // Inside the selection a line end takes one more column.
            const int start = line == from.line ? from.column : 0;
            const int end = line == to.line ? to.column : laidOut.columns + 1;
            const int first = std::max(start - laidOut.firstColumn, 0);
            const int last = end - laidOut.firstColumn;
            if (last > first) {
                selections.append({first, last - first, selected});
            }
        }
        const QPointF origin(left + laidOut.left, y);
        layout.draw(&painter, origin, selections);
        const int caretInLayout = caret_.column - laidOut.firstColumn;
        if (hasFocus() && line == caret_.line && caretInLayout >= 0 &&
            caretInLayout <= layout.text().size()) {
            layout.drawCursor(&painter, origin, caretInLayout);
        }
    }
    if (widestSeen_ != widestBefore) {
        UpdateScrollBars();
    }
}

void SourceView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void SourceView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        widestSeen_ = 0;
        UpdateScrollBars();
        viewport()->update();
    }
}

void SourceView::scrollContentsBy(int, int) {
    viewport()->update();
}

SourceView::Place SourceView::PlaceAt(QPoint point) const {
    const int height = LineHeight();
    // The margin above the first line belongs to it; a drag above the pane
    // reaches the line before.
    const int row = point.y() < 0 ? (point.y() - height + 1) / height
                                  : std::max(0, point.y() - kMargin) / height;
    const int line = std::clamp(FirstVisibleLine() + row, 0, LineCount() - 1);
    const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
    return Place{line, LayOut(line, x, x).ColumnAt(x)};
}

void SourceView::MoveCaret(Place to, bool extend) {
    caret_ = to;
    if (!extend) {
        anchor_ = to;
    }
    EnsureCaretVisible();
    viewport()->update();
}

void SourceView::EnsureCaretVisible() {
    QScrollBar* vertical = verticalScrollBar();
    const int visible = VisibleLines();
    if (caret_.line < vertical->value()) {
        vertical->setValue(caret_.line);
    } else if (caret_.line >= vertical->value() + visible) {
        vertical->setValue(caret_.line - visible + 1);
    }
    const qreal pitch = Pitch();
    const qreal guess = caret_.column * pitch;
    QScrollBar* horizontal = horizontalScrollBar();
    const int x = static_cast<int>(LayOut(caret_.line, guess, guess).XOf(caret_.column, pitch));
    const int room = std::max(1, viewport()->width() - 2 * kMargin);
    if (x < horizontal->value()) {
        horizontal->setValue(x);
    } else if (x > horizontal->value() + room) {
        if (x - room > horizontal->maximum()) {
            widestSeen_ = std::max(widestSeen_, x);
            UpdateScrollBars();
        }
        horizontal->setValue(x - room);
    }
}

void SourceView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        Copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        SelectAll();
        return;
    }
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool wholeText = event->modifiers().testFlag(Qt::ControlModifier);
    const int last = LineCount() - 1;
    const auto length = [this](int line) { return static_cast<int>(LineText(line).size()); };
    Place to = caret_;
    switch (event->key()) {
        case Qt::Key_Left:
            if (to.column > 0) {
                --to.column;
            } else if (to.line > 0) {
                --to.line;
                to.column = length(to.line);
            }
            break;
        case Qt::Key_Right:
            if (to.column < length(to.line)) {
                ++to.column;
            } else if (to.line < last) {
                ++to.line;
                to.column = 0;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const int page = VisibleLines();
            const int step = event->key() == Qt::Key_Up       ? -1
                             : event->key() == Qt::Key_Down   ? 1
                             : event->key() == Qt::Key_PageUp ? -page
                                                              : page;
            to.line = std::clamp(to.line + step, 0, last);
            to.column = std::min(to.column, length(to.line));
            break;
        }
        case Qt::Key_Home:
            to = wholeText ? Place{} : Place{to.line, 0};
            break;
        case Qt::Key_End:
            to.line = wholeText ? last : to.line;
            to.column = length(to.line);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    MoveCaret(to, extend);
    event->accept();
}

void SourceView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        MoveCaret(PlaceAt(event->position().toPoint()),
                  event->modifiers().testFlag(Qt::ShiftModifier));
    }
}

void SourceView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons().testFlag(Qt::LeftButton)) {
        MoveCaret(PlaceAt(event->position().toPoint()), true);
    }
}

void SourceView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Place at = PlaceAt(event->position().toPoint());
    const QString line = LineText(at.line);
    int start = at.column;
    int end = at.column;
    while (start > 0 && IsWordCharacter(line[start - 1])) {
        --start;
    }
    while (end < line.size() && IsWordCharacter(line[end])) {
        ++end;
    }
    MoveCaret(Place{at.line, start}, false);
    MoveCaret(Place{at.line, end}, true);
}

void SourceView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("&Copy"), this, &SourceView::Copy);
    copy->setEnabled(anchor_ != caret_);
    menu.addAction(tr("Select All"), this, &SourceView::SelectAll);
    menu.exec(event->globalPos());
}

void SourceView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void SourceView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

QString SourceView::SelectedText() const {
    const Place from = std::min(anchor_, caret_);
    const Place to = std::max(anchor_, caret_);
    QString selected;
    for (int line = from.line; line <= to.line; ++line) {
        const QString text = LineText(line);
        const int start = line == from.line ? from.column : 0;
        const int end = line == to.line ? to.column : static_cast<int>(text.size());
        selected += text.mid(start, end - start);
        if (line != to.line) {
            selected += u'\n';
        }
    }
    return selected;
}

void SourceView::SelectAll() {
    const int last = LineCount() - 1;
    anchor_ = Place{};
    caret_ = Place{last, static_cast<int>(LineText(last).size())};
    viewport()->update();
}

void SourceView::Copy() const {
    if (anchor_ != caret_) {
        QApplication::clipboard()->setText(SelectedText());
    }
}

}  // namespace quill
