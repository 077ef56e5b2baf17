#include "shell/ui/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lc::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpWindow");
    setWindowTitle("Loopcrafter Help");
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    l->addWidget(browser_);
    resize(640, 560);
}

QString HelpWindow::topicFile(const QString& appDir, const QString& languageCode, int topic) {
    const QString lang = languageCode.compare("RUS", Qt::CaseInsensitive) == 0 ? "RUS" : "ENG";
    const QString page = topic == 6 ? "galleries.html" : "index.html";
    const QString file = QDir(appDir).filePath("help/" + lang + "/" + page);
    return QFileInfo::exists(file) ? file : QString();
}

bool HelpWindow::showTopic(const QString& appDir, const QString& languageCode, int topic) {
    const QString file = topicFile(appDir, languageCode, topic);
    if (file.isEmpty()) return false;
    browser_->setSource(QUrl::fromLocalFile(file));
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace lc::ui
