// The pages in the smallest window the program allows (760 x 560) and at the
// size it opens with (1024 x 720): rows of controls wrap instead of squeezing
// or hiding them, and every field has a name in the interface's language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include "AccessibleNames.h"
#include "ProgramWorkspace.h"
#include "core/Settings.h"
#include "shell/ui/ConverterPage.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/FlowLayout.h"
#include "shell/ui/ThumbnailGrid.h"

using namespace lc;
using namespace lc::ui;

namespace {

const QSize kSmallest(760, 560), kOpening(1024, 720);

// `w`'s rectangle in `page`'s coordinates.
QRect rectIn(const QWidget* w, const QWidget* page) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); }

// A main window of `size` showing page `p`, laid out.
void showAt(MainWindow& w, QSize size, MainWindow::Page p) {
    w.resize(size);
    w.show();
    w.pages()->setCurrentIndex(p);
    QApplication::processEvents();
}

// A program started afresh, its window at `size` on page `p`.
struct WindowAt {
    test::ProgramWorkspace program;
    MainWindow w{program.ws};
    WindowAt(QSize size, MainWindow::Page p) { showAt(w, size, p); }
    ~WindowAt() { w.close(); }
};

// The buttons of `bar` as they show: each one whole, inside the bar and the
// page's width, none over another.
void expectButtonsWhole(QWidget* bar, QWidget* page, const char* what) {
    const QList<QAbstractButton*> buttons = bar->findChildren<QAbstractButton*>();
    ASSERT_FALSE(buttons.isEmpty()) << what;
    for (QAbstractButton* b : buttons) {
        SCOPED_TRACE(std::string(what) + ": " + b->accessibleName().toStdString());
        EXPECT_TRUE(b->isVisibleTo(page));
        EXPECT_GE(b->width(), b->minimumSizeHint().width());
        EXPECT_TRUE(bar->rect().contains(QRect(b->pos(), b->size())));
        EXPECT_LE(rectIn(b, page).right(), page->width());
        for (QAbstractButton* other : buttons)
            if (other != b) {
                EXPECT_FALSE(b->geometry().intersects(other->geometry()));
            }
    }
}

// Stores `code` as the language the next window starts in.
void storeLanguage(const std::string& code) {
    test::ProgramWorkspace program;
    {
        MainWindow first(program.ws); // its start and close store the defaults
        first.close();
    }
    program.ws.Settings.LanguageCode = code;
    SaveSettings(program.ws.Settings, program.ws.Paths, program.ws.Raster.Width, program.settings);
}

} // namespace

// Items keep their own sizes and go on to a new line where the next would not
// fit; a hidden one takes no room; the height for a width is the lines'.
TEST(FlowLayout, WrapsItemsAtTheirOwnSizes) {
    test::qtApp();
    QWidget box;
    auto* flow = new FlowLayout(&box);
    flow->setContentsMargins(0, 0, 0, 0);
    flow->setSpacing(5);
    QList<QWidget*> items;
    for (int i = 0; i < 4; ++i) {
        auto* w = new QWidget(&box);
        w->setFixedSize(100, i == 1 ? 30 : 20);
        flow->addWidget(w);
        items << w;
    }
    items[2]->hide();
    EXPECT_EQ(flow->minimumSize(), QSize(100, 30));
    EXPECT_EQ(flow->sizeHint(), QSize(310, 30)); // the three shown on one line

    box.resize(250, 100);
    flow->setGeometry(box.rect());
    EXPECT_EQ(items[0]->geometry(), QRect(0, 5, 100, 20)); // centred on the line of the taller one
    EXPECT_EQ(items[1]->geometry(), QRect(105, 0, 100, 30));
    EXPECT_EQ(items[3]->geometry(), QRect(0, 35, 100, 20));
    EXPECT_EQ(flow->heightForWidth(250), 55);
    EXPECT_EQ(flow->heightForWidth(310), 30);
    EXPECT_EQ(flow->heightForWidth(100), 80); // one a line
}

// The Converter's settings keep the Part's order and each its own size: the
// labels whole, the slider long enough to set its twenty positions by mouse.
TEST(SmallWindow, ConverterSettingsKeepTheirSizesAndOrder) {
    test::qtApp();
    for (const QSize size : {kSmallest, kOpening}) {
        SCOPED_TRACE(size.width());
        WindowAt window(size, MainWindow::pgConverter);
        ConverterPage* page = window.w.converterPage();
        QWidget* settings = page->findChild<QWidget*>("converterSettings");
        ASSERT_NE(settings, nullptr);

        QList<QWidget*> controls;
        for (QWidget* c : settings->findChildren<QWidget*>())
            if (qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c) || qobject_cast<QSpinBox*>(c) ||
                qobject_cast<QSlider*>(c))
                controls << c;
        ASSERT_EQ(controls.size(), 13);
        for (QWidget* c : controls) {
            SCOPED_TRACE(c->metaObject()->className());
            EXPECT_GE(c->width(), c->minimumSizeHint().width());
            EXPECT_GE(c->height(), c->minimumSizeHint().height());
            EXPECT_LE(rectIn(c, page).right(), page->width());
        }
        EXPECT_GE(page->tolerance()->width(), 100);

        // In reading order: on along a line, or on a line below.
        QRect before;
        for (QWidget* item : settings->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect r = item->geometry();
            if (before.isValid()) {
                EXPECT_TRUE(r.left() > before.right() || r.top() > before.bottom());
            }
            before = r;
        }
        // The picture has the rest of the page below the settings.
        EXPECT_GE(page->view()->parentWidget()->geometry().top(), rectIn(settings, page).bottom());
    }
}

// The Fashion page's tool bars show every button, with and without a model,
// and its column scrolls rather than lay the item preview over its button.
TEST(SmallWindow, FashionToolBarsShowEveryButton) {
    test::qtApp();
    for (const QSize size : {kSmallest, kOpening}) {
        SCOPED_TRACE(size.width());
        WindowAt window(size, MainWindow::pgFashion);
        FashionPage* page = window.w.fashionPage();
        QWidget* modelBar = page->findChild<QWidget*>("modelBar");
        ASSERT_NE(modelBar, nullptr);
        expectButtonsWhole(modelBar, page, "no model");
        EXPECT_GE(page->grid()->width(), 2 * 120 + 20); // two thumbnails

        page->NewModel();
        QApplication::processEvents();
        expectButtonsWhole(modelBar, page, "model bar");
        expectButtonsWhole(page->findChild<QWidget*>("itemBar"), page, "item bar");
        EXPECT_GE(page->grid()->width(), 2 * 120 + 20);
        for (QGroupBox* box : page->findChildren<QGroupBox*>()) {
            EXPECT_GE(box->height(), box->minimumSizeHint().height());
            for (QWidget* inside : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                for (QWidget* other : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (inside != other) {
                        EXPECT_FALSE(inside->geometry().intersects(other->geometry()));
                    }
        }
    }
}

// Every field of every page has a name, in English and in Russian, the
// Fashion page's model fields among them.
TEST(SmallWindow, EveryPageNamesItsFieldsInTheInterfacesLanguage) {
    test::qtApp();
    for (const char* language : {"ENG", "RUS"}) {
        SCOPED_TRACE(language);
        storeLanguage(language);
        test::ProgramWorkspace program;
        MainWindow w(program.ws);
        ASSERT_EQ(program.ws.Settings.LanguageCode, language);
        w.fashionPage()->NewModel();
        showAt(w, kSmallest, MainWindow::pgDrawing);
        for (int p = 0; p < MainWindow::pgCount; ++p) {
            w.pages()->setCurrentIndex(p);
            QApplication::processEvents();
            // The tab holds the page; the manual's page is a field itself.
            QWidget* page = w.pages()->widget(p)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).value(0);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(test::unnamedControls(page).join(", ").toStdString(), "") << p;
            if (test::isField(page)) {
                EXPECT_FALSE(test::fieldName(page).isEmpty()) << p;
            }
        }
        EXPECT_EQ(w.fashionPage()->categories()->accessibleName().toStdString(),
                  std::string(language) == "RUS" ? "Коллекции" : "Collections");
        w.close();
    }
}
