#include "shell/ui/NewGalleryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lc::ui {

NewGalleryDialog::NewGalleryDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("NewGalleryDialog");
    setWindowTitle("Gallery Name");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Type Library Name ", this);
    layout->addWidget(label);
    edit_ = new QLineEdit("MyLibrary", this);
    label->setBuddy(edit_);
    edit_->selectAll();
    layout->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString NewGalleryDialog::name() const { return edit_->text().trimmed(); }

} // namespace lc::ui
