#pragma once
// The program's help: our own HTML pages under "help/<language>/" in the
// program folder, shown in a browser window of their own. Topic 1 is the
// contents ("index.html"), topic 6 the Stitch Galleries ("galleries.html").
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace lc::ui {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The page of `topic` for `languageCode` ("RUS", else English); empty when
    // the file is missing.
    static QString topicFile(const QString& appDir, const QString& languageCode, int topic);
    // Shows the topic and raises the window; false, with nothing shown or
    // reported, when its page is missing.
    bool showTopic(const QString& appDir, const QString& languageCode, int topic);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace lc::ui
