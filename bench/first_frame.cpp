// Time from start to the main window's first painted frame: the window part of
// start-up (layout files, pictures, outline, fonts) and the first paint, on the
// generated skin. The first run in a process pays for font and plugin loading;
// later runs show the steady cost.
// Usage: first_frame <program folder holding skins/> [runs]
#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class TimedDialog : public vux::CVUX_GMouseDlg {
public:
    using CVUX_GMouseDlg::CVUX_GMouseDlg;
    bool painted = false;

protected:
    void paintEvent(QPaintEvent* event) override {
        CVUX_GMouseDlg::paintEvent(event);
        painted = true;
    }
};

struct Run {
    double layouts, warning, shape, fonts, paint, total;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program folder> [runs]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const double appReady = sinceStart.nsecsElapsed() / 1e6;

    std::vector<Run> all;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        auto lap = [&t] { return t.nsecsElapsed() / 1e6; };
        vux::AppState state;
        vux::setProgramFolder(state, folder);
        state.shell.isEnglish = 1;
        state.shell.currentProfile = 1;
        TimedDialog dialog(state);
        dialog.setWindowTitle(vux::windowTitleFor(true));
        Run r{};
        double mark = lap();
        dialog.view().loadSkinLayouts();
        r.layouts = lap() - mark;
        mark = lap();
        dialog.view().loadWarningSkin();
        r.warning = lap() - mark;
        mark = lap();
        dialog.view().buildShape();
        dialog.applyShape();
        r.shape = lap() - mark;
        mark = lap();
        dialog.createFonts();
        r.fonts = lap() - mark;
        mark = lap();
        dialog.show();
        while (!dialog.painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        r.paint = lap() - mark;
        r.total = lap();
        all.push_back(r);
    }
    std::printf("QApplication ready after %.1f ms\n", appReady);
    std::printf("%-5s %12s %9s %8s %7s %12s %9s\n", "run", "layouts+pics", "warning", "shape",
                "fonts", "show+paint", "total");
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Run& r = all[i];
        std::printf("%-5zu %12.1f %9.1f %8.1f %7.1f %12.1f %9.1f\n", i + 1, r.layouts, r.warning,
                    r.shape, r.fonts, r.paint, r.total);
    }
    std::vector<double> totals;
    for (std::size_t i = 1; i < all.size(); ++i)
        totals.push_back(all[i].total);
    if (!totals.empty()) {
        std::sort(totals.begin(), totals.end());
        std::printf(
            "first run %.1f ms (%.1f ms after process start); median of later runs %.1f ms\n",
            all[0].total, appReady + all[0].total, totals[totals.size() / 2]);
    }
    return 0;
}
