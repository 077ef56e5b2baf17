#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <stdexcept>

#include "QtApp.h"
#include "core/Errors.h"
#include "core/ui/LcApplication.h"

namespace {

// An object whose handler of user events throws what it is told to.
class Thrower : public QObject {
public:
    int kind = 0;
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        switch (kind) {
        case 0: throw lc::FormatError("file is damaged");
        case 1: throw std::runtime_error("plain failure");
        default: throw 42;
        }
    }
};

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        lc::test::qtApp();
        app = lc::ui::LcApplication::instance();
        ASSERT_NE(app, nullptr);
        app->setErrorPresenter([this](const QString& m) {
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            shown.append(m);
            if (onShow) onShow();
            --depth;
        });
    }
    void TearDown() override {
        app->setErrorPresenter([](const QString& m) { lc::test::guardMessages().append(m); });
    }
    void post(Thrower& t) { QCoreApplication::postEvent(&t, new QEvent(QEvent::User)); }

    lc::ui::LcApplication* app = nullptr;
    QStringList shown;
    int depth = 0, maxDepth = 0;
    std::function<void()> onShow;
};

} // namespace

TEST_F(GuardTest, NoExceptionCrossesTheEventLoopAndItsMessageIsShownAfterwards) {
    Thrower t;
    for (int k : {0, 1, 2}) {
        t.kind = k;
        QEvent e(QEvent::User);
        EXPECT_NO_THROW(QCoreApplication::sendEvent(&t, &e));
    }
    // Nothing is shown from inside the failing handler.
    EXPECT_TRUE(shown.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, QStringList({"file is damaged", "plain failure", "Unknown error"}));
}

// A box runs its own event loop; a failure meanwhile waits for the box to close.
TEST_F(GuardTest, MessagesAreShownOneAtATime) {
    Thrower t;
    onShow = [&] {
        if (shown.size() == 1) {
            t.kind = 1;
            post(t);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
    };
    t.kind = 0;
    post(t);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, QStringList({"file is damaged", "plain failure"}));
    EXPECT_EQ(maxDepth, 1);
}
