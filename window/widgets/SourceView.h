#pragma once
// SourcePane: a read-only view of an 8-bit text of any size. It keeps the
// bytes once, shared with whoever handed them over, indexes where the lines
// start and converts and lays out only the lines on screen, so a library of
// millions of lines opens as fast as its line starts are found.

#include <QAbstractScrollArea>
#include <QString>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class QTextLayout;

namespace quill {

using SharedText = std::shared_ptr<const std::string>;

inline SharedText ShareText(std::string text) {
    return std::make_shared<const std::string>(std::move(text));
}

class SourceView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // A place in the text: a line and a character (not byte) of that line
    // as it is shown.
    struct Place {
        int line = 0;
        int column = 0;
        friend bool operator==(const Place&, const Place&) = default;
        friend auto operator<=>(const Place&, const Place&) = default;
    };

    explicit SourceView(QWidget* parent = nullptr);
    ~SourceView() override;

    // Shows `text` from its first line, unless it is the text already shown:
    // then the buffer is taken over and the place and the selection stay.
    void SetText(SharedText text);
    const SharedText& Buffer() const { return text_; }
    const std::string& Text() const { return *text_; }

    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    // The line holding byte `position` of the text (the last line for a
    // position past its end).
    int LineOf(std::size_t position) const;
    QString LineText(int line) const;

    Place Caret() const { return caret_; }
    // Where the selection starts, the caret when nothing is selected.
    Place SelectionStart() const { return std::min(anchor_, caret_); }
    QString SelectedText() const;
    void SelectAll();
    void Copy() const;

    // Scrolls so that `line` is the first one shown, as far as the text
    // allows.
    void ScrollToLine(int line);
    int FirstVisibleLine() const;

signals:
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void IndexLines();
    // The bytes of `line` without its line end.
    std::string_view LineBytes(int line) const;
    // A line laid out for the pixels from `fromX` to `toX` of the text: a
    // long line only around them, its columns before counted at the fixed
    // pitch, so that no repaint lays out megabytes.
    struct LaidOutLine {
        std::unique_ptr<QTextLayout> layout;
        int firstColumn = 0;  // of the line, laid out first
        qreal left = 0;       // where that column starts
        int columns = 0;      // of the whole line
        qreal XOf(int column, qreal pitch) const;
        int ColumnAt(qreal x) const;
    };
    LaidOutLine LayOut(int line, qreal fromX, qreal toX) const;
    qreal Pitch() const;
    Place PlaceAt(QPoint viewportPoint) const;
    void MoveCaret(Place to, bool extend);
    void EnsureCaretVisible();
    void UpdateScrollBars();
    int LineHeight() const;
    int VisibleLines() const;

    SharedText text_;
    std::vector<std::size_t> lineStarts_;  // byte offset of every line's start
    std::size_t longestLine_ = 0;          // in bytes
    mutable int widestSeen_ = 0;           // widest line laid out, in pixels
    mutable int longLine_ = -1;            // the long line last converted
    mutable QString longLineText_;
    Place anchor_;
    Place caret_;
};

}  // namespace quill
