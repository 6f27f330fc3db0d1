// skin-generator: draws the pictures of the program's skin and writes its
// layout files for both languages, all from the one description in Skin.cpp.
//
//   skin-generator <skins folder>
//   skin-generator --preview <skins folder> <page 0..2> <en|cn> <hover row|-1> <out.png>
//
// The folder is created when missing; files of the skin are replaced, every
// other file in it (the delivered "defMacro.dat" files) is left alone.
//
// Decisions taken here, where the program leaves the skin to its designer:
// - The main window pictures are 800 x 600; main_mask.jpg is pure white
//   outside the window and pure black inside, drawn without anti-aliasing and
//   stored at the highest JPEG quality, so compression never moves a pixel
//   across the threshold of 100 that cuts the window out.
// - The pictures serve both languages, so they carry no words: every caption
//   is a layout row whose text the program writes. Only language-neutral marks
//   are drawn (button numbers, DPI values, step numbers, "DPI").
// - Texts that only label something (the title, the status line, headings on
//   the main page) are rows of zero size placed at the centre of the text: the
//   program centres a text on its row, and a row without area is never under
//   the pointer, so pressing there drags the window like the background does.
// - The positions of a DPI track are laid out by ascending DPI (1200, 1600,
//   2000, 2400, 3200 = steps 1, 2, 3, 4, 0); a row names its step, not its place.
// - A DPI level's caption (rows 50..53) lies inside its enable toggle (rows
//   46..49) and the current-level marker (80..83) coincides with the level's
//   selector (54..57): the lower row wins the pointer, so a press on the caption
//   toggles the level and the marker is drawn over its selector.
// - Light modes 0..3 are named after the preview the program animates: slow
//   cycle, fast cycle, steady, off. The four DPI levels show blue, pink, red and
//   purple, the colours of the preview pictures "color_over_blue",
//   "color_normal_pink", "color_over_red" and "color_down_purple".
// - Header row 2 (reload the applied profile, then hide to the tray) is drawn
//   as the close mark, row 13 as "into the tray" and row 19 as a globe: icons
//   need no words.
// - The functions the mouse carries out itself (codes 11..16 and 21..25) have
//   names of our choosing, since their effect lies in the mouse's firmware;
//   edit them in Skin.cpp if a mouse behaves otherwise. Codes 20 and 27..30,
//   which no menu offers, read "Reserved"; 41..54 read "Macro 1".."Macro 14"
//   (the program shows the macro's own name instead).
// - The preview mode composes a page the way the program does, for checking a
//   change to the skin without running the program.
// - The menu pictures are one pixel row taller than their ten or twelve item
//   bands, because the menus show that row too.
// - The macro page's controls sit in inset frames drawn in the pictures; the
//   two lists have faint row stripes that show while the list is empty.
// - Every row is written "name,x,y,width,height,text," (six commas); unused
//   rows have a zero rectangle and no text. Files are UTF-16LE with a BOM and
//   CRLF line ends.

#include "Checks.h"
#include "LayoutFiles.h"
#include "Painter.h"
#include "Preview.h"
#include "Skin.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

using skin::State;

QFont programFont(const QStringList& families, int pixelHeight, int averageWidth) {
    // The same construction as the program's fonts, so measured widths match.
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    const int natural = pixelHeight * 43 / 100;
    if (natural > 0)
        font.setStretch(qBound(50, averageWidth * 100 / natural, 200));
    return font;
}

skin::Fonts loadFonts() {
    for (const char* file : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                             "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"})
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    const QString dejavu = QStringLiteral("DejaVu Sans");
    const QString wqy = QStringLiteral("WenQuanYi Micro Hei");
    skin::Fonts fonts;
    fonts.main = programFont({dejavu, wqy}, 14, 6);
    fonts.small = programFont({dejavu, wqy}, 12, 5);
    fonts.han = programFont({wqy, dejavu}, 12, 6);
    fonts.pictureBold = QFont(dejavu);
    fonts.pictureBold.setBold(true);
    fonts.pictureBold.setPixelSize(12);
    return fonts;
}

bool save(const QImage& image, const QString& path, int quality) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, path.endsWith(QLatin1String(".bmp")) ? "bmp" : "jpg");
    if (quality > 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool saveBytes(const QByteArray& bytes, const QString& path) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char** argv) {
    // A build step has no runtime folder; Qt's note about it is noise in the build log.
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("QStandardPaths:")))
                std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 7 && QByteArray(argv[1]) == "--preview") {
        const QImage img =
            skin::preview(skin::describe(), loadFonts(), QString::fromLocal8Bit(argv[2]),
                          atoi(argv[3]), QByteArray(argv[4]) == "en", atoi(argv[5]));
        return img.save(QString::fromLocal8Bit(argv[6])) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin-generator <skins folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);

    const skin::Skin description = skin::describe();
    const skin::Fonts fonts = loadFonts();
    QStringList problems = skin::checkTexts(description, fonts);
    for (const QString& text : skin::unsafeTexts(description))
        problems << QStringLiteral("text cannot be stored in a layout row: \"%1\"").arg(text);
    if (!problems.isEmpty()) {
        for (const QString& p : problems)
            std::fprintf(stderr, "skin-generator: %s\n", qPrintable(p));
        return 1;
    }

    QDir dir;
    if (!dir.mkpath(out + QStringLiteral("/INI_EN")) ||
        !dir.mkpath(out + QStringLiteral("/INI_CN"))) {
        std::fprintf(stderr, "skin-generator: cannot create %s\n", qPrintable(out));
        return 1;
    }

    const skin::Painter painter(description, fonts);
    const QColor pink = QColor::fromRgb(skin::kLevelColours[1]);
    const QColor red = QColor::fromRgb(skin::kLevelColours[2]);
    const QColor purple = QColor::fromRgb(skin::kLevelColours[3]);
    const QColor blue = QColor::fromRgb(skin::kLevelColours[0]);
    struct Picture {
        const char* name;
        QImage image;
        int quality;
    };
    const Picture pictures[] = {
        {"main_mask.jpg", painter.mainMask(), 100},
        {"main_normal.jpg", painter.mainPage(State::Normal), 95},
        {"main_over.jpg", painter.mainPage(State::Over), 95},
        {"main_down.jpg", painter.mainPage(State::Down), 95},
        {"advanced_normal.jpg", painter.advancePage(State::Normal), 95},
        {"advanced_over.jpg", painter.advancePage(State::Over), 95},
        {"advanced_down.jpg", painter.advancePage(State::Down), 95},
        {"color_normal_pink.jpg", painter.colorPage(State::Normal, pink), 95},
        {"color_over_red.jpg", painter.colorPage(State::Over, red), 95},
        {"color_down_purple.jpg", painter.colorPage(State::Down, purple), 95},
        {"color_normal_gray.jpg", painter.colorPage(State::Normal, QColor()), 95},
        {"color_over_blue.jpg", painter.colorPage(State::Over, blue), 95},
        {"dpi_slider.jpg", painter.slider(), 95},
        {"menu_mask.jpg", painter.menu(false, State::Normal), 95},
        {"menu_normal.jpg", painter.menu(false, State::Normal), 95},
        {"menu_over.jpg", painter.menu(false, State::Over), 95},
        {"menu_down.jpg", painter.menu(false, State::Down), 95},
        {"advanced menu_mask.jpg", painter.menu(true, State::Normal), 95},
        {"advanced menu_normal.jpg", painter.menu(true, State::Normal), 95},
        {"advanced menu_over.jpg", painter.menu(true, State::Over), 95},
        {"advanced menu_down.jpg", painter.menu(true, State::Down), 95},
        {"warning_mask.bmp", painter.warningMask(), 0},
        {"warning_normal.jpg", painter.warning(State::Normal), 95},
        {"warning_over.jpg", painter.warning(State::Over), 95},
    };
    bool ok = true;
    for (const Picture& pic : pictures) {
        const QString path = out + QLatin1Char('/') + QString::fromLatin1(pic.name);
        if (!save(pic.image, path, pic.quality)) {
            std::fprintf(stderr, "skin-generator: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    for (const skin::LayoutFile& file : skin::layoutFiles(description)) {
        const QString path = out + QLatin1Char('/') + file.path;
        if (!saveBytes(file.bytes, path)) {
            std::fprintf(stderr, "skin-generator: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
