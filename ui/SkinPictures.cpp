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

void SkinPictures::reset(const QString& skinsFolder) {
    *this = SkinPictures{};
    folder_ = skinsFolder;
}

void SkinPictures::ensurePage(int page) {
    if (folder_.isEmpty() || page < 0 || page >= kPageCount || decoded_[page])
        return;
    decoded_[page] = true;
    auto pic = [this](const char* name) {
        return loadSkinPicture(folder_ + QLatin1Char('/') + QLatin1String(name));
    };
    switch (page) {
    case kPageMain:
        pages[page] = {pic("main_normal.jpg"), pic("main_over.jpg"), pic("main_down.jpg")};
        dpiKnob = pic("dpi_slider.jpg");
        break;
    case kPageMacro:
        pages[page] = {pic("advanced_normal.jpg"), pic("advanced_over.jpg"),
                       pic("advanced_down.jpg")};
        break;
    default:
        pages[page] = {pic("color_normal_pink.jpg"), pic("color_over_red.jpg"),
                       pic("color_down_purple.jpg")};
        indicatorGray = pic("color_normal_gray.jpg");
        indicatorBlue = pic("color_over_blue.jpg");
        break;
    }
}

void SkinPictures::load(const QString& skinsFolder) {
    reset(skinsFolder);
    for (int page = 0; page < kPageCount; ++page)
        ensurePage(page);
}

} // namespace vux
