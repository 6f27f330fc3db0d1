#include "ui/SkinPictures.h"

#include <QImageReader>

namespace vux {

QImage loadSkinPicture(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

void SkinPictures::load(const QString& folder) {
    auto pic = [&folder](const char* name) { return loadSkinPicture(folder + QLatin1Char('/') + QLatin1String(name)); };
    pages[kPageMain] = {pic("main_normal.jpg"), pic("main_over.jpg"), pic("main_down.jpg")};
    pages[kPageMacro] = {pic("advanced_normal.jpg"), pic("advanced_over.jpg"),
                         pic("advanced_down.jpg")};
    pages[kPageColor] = {pic("color_normal_pink.jpg"), pic("color_over_red.jpg"),
                         pic("color_down_purple.jpg")};
    indicatorGray = pic("color_normal_gray.jpg");
    indicatorBlue = pic("color_over_blue.jpg");
    dpiKnob = pic("dpi_slider.jpg");
}

} // namespace vux
