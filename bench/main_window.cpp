// The main window's painting and shape, against their slow baselines in the
// same run:
//   - a full repaint of each page with the pictures decoded once per skin load
//     against decoding the page's pictures again for every paint;
//   - the outline from the mask built run by run against one exclusive-or per
//     outside pixel.
// Usage: main_window <skins folder> [frames folder to save one frame per page]
#include "app/AppState.h"
#include "ui/MainPainter.h"
#include "ui/SkinLayout.h"
#include "ui/SkinPictures.h"
#include "ui/WindowShape.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

template <class F> double msPerRun(int runs, F&& f) {
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i)
        f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / runs;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <skins folder> [frames folder]\n", argv[0]);
        return 2;
    }
    const QString skins = QString::fromLocal8Bit(argv[1]);
    const QString frames = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    vux::AppState state;
    state.shell.skinsFolder = skins;
    state.shell.isEnglish = 1;
    state.shell.currentProfile = 1;
    state.profile.dpiEnabled[0] = 1;
    state.profile.dpiEnabled[1] = 1;
    for (int j = 0; j < vux::kDpiLevelCount; ++j)
        state.derived.dpiArea[j] = 60 + 5 * j + j;
    vux::SkinLayout layout;
    vux::SkinReport report;
    report.showMessage = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); };
    vux::loadSkinMain(layout, skins, true, report);
    vux::loadSkinColor(layout, skins, true, report);
    vux::loadSkinAdvance(layout, skins, true, report);
    for (int k = 1; k <= 8; ++k)
        state.profile.keyFunc[k - 1] = k;

    vux::SkinFonts fonts;
    fonts.main.setPixelSize(14);
    fonts.small.setPixelSize(12);
    fonts.han.setPixelSize(12);
    const vux::MacroPageStatus macroPage;
    vux::SkinPictures cached;
    cached.load(skins);
    QImage frame;

    std::printf("Full repaint of a page (ms per paint):\n");
    std::printf("%-8s %12s %18s %8s\n", "page", "cached", "decode per paint", "ratio");
    const char* names[] = {"main", "macro", "colour"};
    for (int page = 0; page < vux::kPageCount; ++page) {
        state.view.viewMode = page;
        state.view.hotMain = page == 0 ? 27 : 4;
        const int runs = 60;
        const double fast = msPerRun(
            runs, [&] { vux::composeFrame(state, layout, cached, fonts, macroPage, frame); });
        const double slow = msPerRun(runs / 3, [&] {
            // The baseline reads and decodes what one paint of the page uses.
            vux::SkinPictures fresh;
            auto pic = [&](const char* name) {
                return vux::loadSkinPicture(skins + QLatin1Char('/') + QLatin1String(name));
            };
            static const char* const files[vux::kPageCount][3] = {
                {"main_normal.jpg", "main_over.jpg", "main_down.jpg"},
                {"advanced_normal.jpg", "advanced_over.jpg", "advanced_down.jpg"},
                {"color_normal_pink.jpg", "color_over_red.jpg", "color_down_purple.jpg"}};
            fresh.pages[page] = {pic(files[page][0]), pic(files[page][1]), pic(files[page][2])};
            if (page == vux::kPageMain)
                fresh.dpiKnob = pic("dpi_slider.jpg");
            if (page == vux::kPageColor)
                fresh.indicatorBlue = pic("color_over_blue.jpg"); // level 0 shows blue
            vux::composeFrame(state, layout, fresh, fonts, macroPage, frame);
        });
        std::printf("%-8s %12.3f %18.3f %7.1fx\n", names[page], fast, slow, slow / fast);
        if (!frames.isEmpty()) {
            QDir().mkpath(frames);
            frame.save(frames + QStringLiteral("/frame_%1.png").arg(names[page]));
        }
    }

    std::printf("\nMain layout file, 154 rows (ms):\n");
    {
        vux::SkinLayout l;
        const QString path = vux::skinMainPath(skins, true);
        const double fast = msPerRun(10, [&] { vux::loadSkinMain(l, skins, true, report); });
        const double slow = msPerRun(3, [&] {
            // The baseline reads the file again for every row.
            vux::SkinRow row;
            for (int k = 0; k < vux::kMainRows; ++k)
                vux::readSkinRow(path, QStringLiteral("BUTTONPOS"), k, row, report);
            for (int k = 1; k < vux::kFunStrings; ++k)
                vux::readSkinRow(path, QStringLiteral("FUN_STRING"), k, row, report);
        });
        std::printf("one read per loader %8.2f   one read per row %8.2f   ratio %5.1fx\n", fast,
                    slow, slow / fast);
    }
    {
        vux::SkinPictures p;
        const double decode = msPerRun(3, [&] { p.load(skins); });
        std::printf("decoding all pictures of the window once: %.1f ms\n", decode);
    }

    const QImage mask = QImageReader(skins + QStringLiteral("/main_mask.jpg")).read();
    if (mask.isNull()) {
        std::printf("no main_mask.jpg in %s\n", argv[1]);
        return 0;
    }
    std::printf("\nMask to region (ms):\n");
    // The per-pixel rule grows slow with the outline's complexity, so it is
    // measured on bands of the mask of growing height as well as in full.
    for (int rows : {40, 160, mask.height()}) {
        const QImage part = mask.copy(0, 0, mask.width(), std::min(rows, mask.height()));
        QRegion byRuns;
        QRegion perPixel;
        const double fast = msPerRun(20, [&] { byRuns = vux::maskRegion(part); });
        const double slow = msPerRun(1, [&] { perPixel = vux::maskRegionPerPixel(part); });
        std::printf(
            "%4dx%-4d by runs %9.3f   per pixel %10.1f   ratio %8.0fx   same: %s (%d rects)\n",
            part.width(), part.height(), fast, slow, slow / fast, byRuns == perPixel ? "yes" : "NO",
            byRuns.rectCount());
    }
    return 0;
}
