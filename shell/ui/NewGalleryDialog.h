#pragma once
// Asks the name of a new pattern library ("Gallery Name").
#include <QDialog>

class QLineEdit;

namespace lc::ui {

class NewGalleryDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewGalleryDialog(QWidget* parent = nullptr);
    QString name() const;
    QLineEdit* nameEdit() const { return edit_; }

private:
    QLineEdit* edit_ = nullptr;
};

} // namespace lc::ui
