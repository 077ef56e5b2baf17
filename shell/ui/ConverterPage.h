#pragma once
// The Converter page: opens a photo or picture, zooms into an area of it
// (with a history to go back), picks colours with the right button, converts
// the area to a pattern of the chosen stitches, rows and colours, and inserts
// it into the drawing through the Drawing page's paste tool. The work is the
// engine's (lc::PictureConverter); this page shows it and takes the user's
// input.
#include <QWidget>

#include "core/PageLinks.h"
#include "core/Workspace.h"
#include "shell/PictureConverter.h"

class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
class QRubberBand;

namespace lc::ui {

class ConverterView;

class ConverterPage : public QWidget {
    Q_OBJECT
public:
    ConverterPage(Workspace& ws, QWidget* parent = nullptr, PageLinks* links = nullptr);

    void OnShowForm();
    // Opens the picture dialog in pictureFolder(); OpenPicture loads `file` (a
    // failure says why and keeps the picture on view).
    void ChoosePicture();
    // The folder of the last picture, else the documents folder, else the
    // home folder: always one that exists.
    QString pictureFolder() const;
    void OpenPicture(const QString& file);
    void MakeConversion();
    void UndoConversion();
    void InsertIntoDrawing();

    PictureConverter& converter() { return conv_; }
    QSpinBox* stitches() const { return stitches_; }
    QSpinBox* rows() const { return rows_; }
    QSpinBox* colors() const { return colors_; }
    QSlider* tolerance() const { return tolerance_; }
    QCheckBox* replaceColors() const { return replace_; }
    QToolButton* insertButton() const { return insert_; }
    // Open/Menu and Help: the main window binds the menu and help to them.
    QToolButton* openButton() const { return openBtn_; }
    QToolButton* helpButton() const { return helpBtn_; }
    ConverterView* view() const { return view_; }

private:
    void fitView();

    Workspace& ws_;
    PageLinks* links_;
    PictureConverter conv_;
    ConverterView* view_ = nullptr;
    QWidget* viewPanel_ = nullptr;
    QSpinBox* stitches_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QSpinBox* colors_ = nullptr;
    QSlider* tolerance_ = nullptr;
    QLabel* toleranceValue_ = nullptr;
    QCheckBox* replace_ = nullptr;
    QToolButton* insert_ = nullptr;
    QToolButton* openBtn_ = nullptr;
    QToolButton* helpBtn_ = nullptr;
    QToolButton* zoomMode_ = nullptr;
    QToolButton* grid_ = nullptr;
    QString folder_;

    friend class ConverterView;
};

// The picture on view (or the converted cells), with the grid of stitches
// and rows, the zoom rubber band and colour picking.
class ConverterView : public QWidget {
    Q_OBJECT
public:
    explicit ConverterView(ConverterPage& page, QWidget* parent);
    // The view as it is shown, `size()` pixels (never the screen).
    QImage rendered() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    ConverterPage& page_;
    QRubberBand* band_ = nullptr;
    QPoint dragStart_;
    bool dragging_ = false;
};

} // namespace lc::ui
