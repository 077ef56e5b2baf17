// "Paste Pattern" reading the gallery's selection from a pattern library.
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "editor/LibraryPatternSource.h"

namespace lc::test {

class LibrarySourceTest : public EditorTest {
protected:
    PatternLibrary lib;
    std::optional<LibraryPatternSource> source;
    void SetUp() override {
        EditorTest::SetUp();
        lib.CreateNew("/nonexistent/", "test");
        const uint8_t a[] = {0x12, 0x30, 0x45, 0x60}; // 3 x 2: rows 1 2 3 / 4 5 6
        const uint8_t b[] = {0x70};                   // 1 x 1: 7
        ASSERT_TRUE(lib.AddPattern(3, 2, "a", a, 1));
        ASSERT_TRUE(lib.AddPattern(1, 1, "b", b, 1));
        source.emplace(lib);
        engine->setPatternSource(&*source);
        use(toolPastePattern);
    }
};

TEST_F(LibrarySourceTest, NothingSelectedOrAMissingPatternPastesNothing) {
    EXPECT_FALSE(source->selectedPattern());
    source->SelectedPattern = 2;
    EXPECT_FALSE(source->selectedPattern());
    click(4, 4, kRight);
    EXPECT_TRUE(changedCells(std::vector<uint8_t>(static_cast<size_t>(W() * H()), 0)).empty());
}

TEST_F(LibrarySourceTest, TheSelectedPatternIsPastedFromTheLibrary) {
    source->SelectedPattern = 1;
    const auto p = source->selectedPattern();
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 1);
    EXPECT_EQ(p->height, 1);
    ASSERT_GE(p->size, 1u);
    EXPECT_EQ(p->data[0], 0x70);
    click(4, 4);
    EXPECT_EQ(cell(4, 4), 7);

    source->SelectedPattern = 0;
    click(10, 20);
    EXPECT_EQ(cell(10, 20), 1);
    EXPECT_EQ(cell(12, 20), 3);
    EXPECT_EQ(cell(12, 21), 6);
    EXPECT_EQ(cell(13, 20), 0);
}

} // namespace lc::test
