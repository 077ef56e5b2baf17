// Part of every Qt test program: before each test the process's private
// folder (settings, data, autosave) is emptied, so a test starts from a fresh
// install whether it runs alone or after others in the same process.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "QtApp.h"

namespace {

class FreshHomePerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        // Qt notices that the settings file is gone and reads the settings afresh.
        QDir home(lc::test::testHome().path());
        for (const QFileInfo& entry : home.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.filePath()).removeRecursively();
            else
                QFile::remove(entry.filePath());
        }
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHomePerTest);
    return true;
}();

} // namespace
