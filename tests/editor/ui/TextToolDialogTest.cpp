// The text dialog: placing a text in the preview and putting it into the pattern.
#include <QFontDatabase>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

#include "AccessibleNames.h"
#include "DrawingPageTest.h"
#include "editor/ui/TextPreview.h"
#include "editor/ui/TextToolDialog.h"

namespace lc::test {

class TextToolTest : public DrawingPageTest {
protected:
    ui::TextToolDialog* dlg = nullptr;

    void SetUp() override {
        DrawingPageTest::SetUp();
        dlg = frame->textTool();
        // A font every test machine has (fonts-dejavu-core), at a known pixel size.
        dlg->setFontPicker([](const QFont&) -> std::optional<QFont> {
            QFont f(QStringLiteral("DejaVu Sans Mono"));
            f.setPixelSize(14);
            return f;
        });
        ws.Editor.ColorA = 1;
        ws.Editor.ColorB = 2;
        fillPicture(7);
        dlg->show();
    }
    void TearDown() override {
        dlg->hide();
        DrawingPageTest::TearDown();
    }
    void tryText(const char* text) {
        dlg->textEdit()->setText(QString::fromLatin1(text));
        dlg->tryText();
    }
    // Changed cells as (column, picture line).
    std::vector<std::pair<int, int>> changed() const {
        std::vector<std::pair<int, int>> out;
        for (int y = 0; y < gd.Height; ++y)
            for (int x = 0; x < gd.Width; ++x)
                if (gd.Picture.line(y)[x] != 7) out.push_back({x, y});
        return out;
    }
};

TEST_F(TextToolTest, NothingButFontArrowsAndCancelActBeforeAFontIsChosen) {
    EXPECT_FALSE(dlg->tryButton()->isEnabled());
    EXPECT_FALSE(dlg->putButton()->isEnabled());
    QTest::mouseClick(dlg->arrow(6), Qt::LeftButton);
    EXPECT_EQ(dlg->textPosition(), QPoint(101, 100));
    // Held, the arrow steps again on every tick of its 100-ms timer.
    QTest::mousePress(dlg->arrow(8), Qt::LeftButton);
    EXPECT_TRUE(dlg->repeatTimer().isActive());
    EXPECT_EQ(dlg->repeatTimer().interval(), 100);
    QTest::qWait(550);
    QTest::mouseRelease(dlg->arrow(8), Qt::LeftButton);
    EXPECT_FALSE(dlg->repeatTimer().isActive());
    // About five ticks and the click.
    EXPECT_EQ(dlg->textPosition().x(), 101);
    EXPECT_GE(dlg->textPosition().y(), 100 + 1 + 3);
    EXPECT_LE(dlg->textPosition().y(), 100 + 1 + 6);
    dlg->chooseFont();
    EXPECT_TRUE(dlg->putButton()->isEnabled());
}

TEST_F(TextToolTest, LinePutWritesTheBoxFromTheTextPositionDownwardAsOneUndoStep) {
    dlg->chooseFont();
    tryText("Ab");
    const int top = dlg->scrollBar()->value();
    EXPECT_EQ(top, gd.Height - 200); // the bottom of the pattern, where knitting starts
    dlg->put();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const auto cells = changed();
    ASSERT_FALSE(cells.empty());
    int minX = 1 << 20, minY = 1 << 20;
    bool glyph = false;
    for (auto [x, y] : cells) {
        const uint8_t v = gd.Picture.line(y)[x];
        ASSERT_TRUE(v == 1 || v == 2) << int(v);
        glyph |= v == 1;
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    EXPECT_TRUE(glyph);
    EXPECT_EQ(minX, 100);
    EXPECT_EQ(minY, 100 + top);
    EXPECT_EQ(gd.Picture.line(100 + top)[100], 2); // the box's top left corner
    frame->canvas()->model().UndoLast();
    EXPECT_TRUE(changed().empty());
}

TEST_F(TextToolTest, ArcLeavesCellsBetweenGlyphsAndRadiusZeroWritesNothing) {
    dlg->chooseFont();
    dlg->arcMode()->setChecked(true);
    dlg->angle()->setValue(90);
    tryText("KNIT");
    dlg->put();
    const auto cells = changed();
    ASSERT_FALSE(cells.empty());
    for (auto [x, y] : cells) {
        EXPECT_EQ(gd.Picture.line(y)[x], 1);
        // Every glyph stands on the circle of radius 50 around the text position.
        const double d = std::hypot(x - 100.0, y - (100.0 + dlg->scrollBar()->value()));
        EXPECT_GT(d, 50 - 3);
        EXPECT_LT(d, 50 + 17);
    }
    frame->canvas()->model().UndoLast();
    dlg->show();
    dlg->radius()->setValue(0);
    dlg->tryText();
    dlg->put();
    EXPECT_TRUE(changed().empty());
}

TEST_F(TextToolTest, TextReachesTheFirstRowAndFieldsStayBetweenShowings) {
    dlg->chooseFont();
    tryText("W");
    dlg->setTextPosition(QPoint(3, 190));
    dlg->put();
    EXPECT_NE(gd.CellAt(3, 9), 7); // rows 9 .. 0 hold the box, which runs off the pattern's bottom
    EXPECT_NE(gd.CellAt(4, 0), 7);
    dlg->show();
    EXPECT_EQ(dlg->textPosition(), QPoint(3, 190));
    EXPECT_EQ(dlg->textEdit()->text(), "W");
    // Text typed after "Try" is not drawn until the next "Try".
    dlg->textEdit()->setText(QStringLiteral("XYZ"));
    EXPECT_EQ(dlg->placement().text, "W");
}

TEST_F(TextToolTest, ThePreviewOfANarrowPatternShowsTheBackgroundBeyondIt) {
    dlg->hide();
    gd.SetSize(150, 1024);
    gd.Colors[16] = RGB(10, 200, 30);
    gd.UpdatePalette(0);
    dlg->show();
    const QImage& img = dlg->preview()->image();
    EXPECT_EQ(img.pixel(180, 50), qRgb(10, 200, 30));
    EXPECT_EQ(img.pixel(10, 50), rgbOf(gd.Picture.palette()[0]));
}

TEST_F(TextToolTest, EveryControlAPersonCanPressHasAName) {
    dlg->chooseFont(); // "Try" and "Put" become pressable
    EXPECT_EQ(unnamedControls(dlg).join(", ").toStdString(), "");
    EXPECT_EQ(accessibleName(dlg->angle()), "Angle");
    EXPECT_EQ(accessibleName(dlg->radius()), "Radius");
}

} // namespace lc::test
