#pragma once
// "Text": writes a line of text into the pattern in colour A, straight at an
// angle on a box of colour B, or along a circular arc. The preview shows 200 x
// 200 cells of the picture one pixel per cell; a click or the eight arrow
// buttons (one pixel per click, one more every 100 ms while held) place the
// text, the scroll bar chooses the picture lines shown. "Put" writes the text
// through the text tool as one undo step. Created once by the Drawing page;
// the text, position, angle and radius stay between showings.
#include <QDialog>
#include <QFont>
#include <QTimer>
#include <optional>

#include "core/Workspace.h"
#include "editor/ui/TextPainter.h"

class QAbstractButton;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace lc {
class ToolEngine;
} // namespace lc

namespace lc::ui {

class TextPreview;

class TextToolDialog : public QDialog {
    Q_OBJECT
public:
    TextToolDialog(Workspace& ws, ToolEngine& engine, QWidget* parent = nullptr);

    // The font dialog; replaceable so that tests choose without a person.
    using FontPicker = std::function<std::optional<QFont>(const QFont& initial)>;
    void setFontPicker(FontPicker f) { fontPicker_ = std::move(f); }

    // --- actions --------------------------------------------------------------
    void chooseFont();
    void tryText();
    void put();
    // Arrow tag 1..9 (not 5): one step of (StepX, StepY).
    void arrowStep(int tag);
    // Draws the preview: the picture, then the text of the last "Try".
    void redraw();

    // --- state and pieces -----------------------------------------------------
    QPoint textPosition() const { return {textX_, textY_}; }
    void setTextPosition(QPoint p);
    // The placement "Put" would write, in picture lines.
    TextPlacement placement() const;
    QLineEdit* textEdit() const { return edit_; }
    QRadioButton* arcMode() const { return arc_; }
    QRadioButton* reverse() const { return reverse_; }
    QSpinBox* angle() const { return angle_; }
    QSpinBox* radius() const { return radius_; }
    QScrollBar* scrollBar() const { return scroll_; }
    QAbstractButton* tryButton() const { return try_; }
    QAbstractButton* putButton() const { return put_; }
    QAbstractButton* arrow(int tag) const;
    TextPreview* preview() const { return preview_; }
    QTimer& repeatTimer() { return timer_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void prepareScroll();
    // The preview shows the picture lines of the scroll position, without the text.
    void prepareForText();

    Workspace& ws_;
    ToolEngine& engine_;
    FontPicker fontPicker_;
    std::optional<QFont> font_;
    QString textLine_;
    int textAngle_ = 0; // tenths of a degree, of the last "Try"
    int textRadius_ = 50;
    int textX_ = 100, textY_ = 100;
    int stepX_ = 0, stepY_ = 0;
    QTimer timer_;

    QLineEdit* edit_ = nullptr;
    QRadioButton* line_ = nullptr;
    QRadioButton* arc_ = nullptr;
    QRadioButton* forward_ = nullptr;
    QRadioButton* reverse_ = nullptr;
    QSpinBox* angle_ = nullptr;
    QSpinBox* radius_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QAbstractButton* try_ = nullptr;
    QAbstractButton* put_ = nullptr;
    QAbstractButton* arrows_[10] = {};
    TextPreview* preview_ = nullptr;
};

} // namespace lc::ui
