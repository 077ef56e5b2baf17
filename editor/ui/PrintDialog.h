#pragma once
// "Print...": one print dialog for every printout. It knows nothing of what
// is printed: the caller hands it a page renderer, which draws one whole page
// in device pixels for the options chosen (range, scale, legend). The dialog
// draws the page into its preview whenever an option or the printer changes,
// and on "Print" draws it once more straight onto the chosen printer. Besides
// the system's printers it always offers "Print to PDF file", so printing
// works with no printer installed.
#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <functional>
#include <memory>

#include "core/CellRect.h"
#include "core/Environment.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace lc::ui {

// What the renderer is asked for.
struct PageRequest {
    QSize page;                   // the printable area, in device pixels
    PrinterResolution resolution; // the device's pixels per inch
    int range = 0;                // 0 the whole image, 1 the selection
    double scale = 1.0;           // 1 fits the page; else the percentage / 100
    bool legend = true;
};
// Draws one page onto `painter`, whose (0, 0) is the top left of the printable area.
using PageRenderer = std::function<void(QPainter& painter, const PageRequest& request)>;

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    // `selection`: the copied block, in picture columns and lines, in any
    // corner order; "Selection" is offered only when it holds cells.
    // `readyText`: the printer status shown while it is not printing, in the user's language.
    PrintDialog(CellRect selection, PageRenderer renderer, QWidget* parent = nullptr,
                QString readyText = QStringLiteral("Ready"));
    ~PrintDialog() override;

    // Shows the dialog modally; true when the page was printed.
    static bool ShowPrintSetup(QWidget* parent, CellRect selection, PageRenderer renderer,
                               QString readyText = QStringLiteral("Ready"),
                               std::function<bool(int range)> hasContent = {});

    // Where a PDF goes; replaceable so that tests need no file dialog. An
    // empty name cancels the print.
    using FileChooser = std::function<QString()>;
    void setPdfFileChooser(FileChooser f) { chooseFile_ = std::move(f); }
    // Whether range 0 (whole image) or 1 (selection) holds anything to print;
    // "Print" of an empty range is refused with a message. Unset: always.
    void setContentCheck(std::function<bool(int range)> f) { hasContent_ = std::move(f); }
    // Messages (a failed print); replaceable for tests.
    using Messenger = std::function<void(const QString&)>;
    void setMessenger(Messenger m) { messenger_ = std::move(m); }

    // "Print": true when the page went to the printer or file (the dialog then closes).
    bool print();
    // The current request, as the renderer is called with it.
    PageRequest request() const;
    // Draws the preview again.
    void renderPreview();

    // --- pieces ------------------------------------------------------------------
    QRadioButton* wholeImage() const { return whole_; }
    QRadioButton* selection() const { return selection_; }
    QRadioButton* fitToPage() const { return fit_; }
    QRadioButton* specifyScale() const { return specify_; }
    QSpinBox* scaleFactor() const { return scale_; }
    QCheckBox* legend() const { return legend_; }
    QComboBox* printers() const { return printers_; }
    QSpinBox* rangeField(int i) const { return range_[i]; } // start stitch, start row, stitches, rows
    const QImage& previewImage() const { return preview_; }
    QPrinter& printer() { return *printer_; }
    // The index of "Print to PDF file" in the printer list.
    int pdfEntry() const;

private:
    void choosePrinter(int index);
    void showPrinterInfo();
    void scaleModeChanged();
    void tell(const QString& message);

    PageRenderer renderer_;
    QString readyText_;
    FileChooser chooseFile_;
    Messenger messenger_;
    std::function<bool(int)> hasContent_;
    std::unique_ptr<QPrinter> printer_;
    double scaleFactor_ = 1.0;
    int rangeMode_ = 0;
    QImage preview_;

    QRadioButton* whole_ = nullptr;
    QRadioButton* selection_ = nullptr;
    QRadioButton* fit_ = nullptr;
    QRadioButton* specify_ = nullptr;
    QSpinBox* scale_ = nullptr;
    QLabel* scaleLabel_ = nullptr;
    QCheckBox* legend_ = nullptr;
    QComboBox* printers_ = nullptr;
    QSpinBox* range_[4] = {};
    QLabel* type_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* where_ = nullptr;
    QLabel* previewBox_ = nullptr;
};

} // namespace lc::ui
