#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include "QtApp.h"
#include "core/Errors.h"
#include "shell/ui/PictureLoader.h"

using namespace lc;

// Pictures are read by content; a phone photo turned by its EXIF orientation
// comes out upright; a metafile is named as unsupported, never as damaged.
TEST(PictureLoader, ReadsByContentTurnsPhotosUprightAndNamesUnsupportedFormats) {
    test::qtApp();
    QTemporaryDir dir;
    QImage wide(40, 20, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const QString pngNamedJpg = dir.filePath("really-a-png.jpg");
    ASSERT_TRUE(wide.save(pngNamedJpg, "PNG"));
    EXPECT_EQ(ui::LoadPicture(pngNamedJpg).size(), QSize(40, 20));

    const QString turned = dir.filePath("phone.jpg");
    QImageWriter writer(turned, "jpeg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(wide));
    EXPECT_EQ(ui::LoadPicture(turned).size(), QSize(20, 40));

    QByteArray emf(64, '\0');
    emf[0] = 1;
    emf.replace(40, 4, " EMF");
    const QString meta = dir.filePath("drawing.emf");
    QFile f(meta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(emf);
    f.close();
    try {
        ui::LoadPicture(meta);
        ADD_FAILURE() << "a metafile loaded";
    } catch (const Error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("EMF"), std::string::npos) << m;
        EXPECT_NE(m.find("not supported"), std::string::npos) << m;
    }
}
