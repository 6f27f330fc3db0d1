#include "ui/MainView.h"

#include "app/AppState.h"
#include "device/CommandReports.h"
#include "settings/ProfileStore.h"
#include "ui/PageSeams.h"

#include <QPainter>

namespace vux {

namespace {

constexpr int kLastMainRow = 90;
constexpr int kLastHeaderRow = 19;
constexpr int kLastColorRow = 4;
constexpr int kLastAdvanceRow = 33;
constexpr int kFireTimeMax = 300;

} // namespace

int hitTest(QPoint point, std::span<const SkinRect> table, int last) {
    const int end = std::min<int>(last, static_cast<int>(table.size()) - 1);
    for (int i = 0; i <= end; ++i)
        if (table[static_cast<std::size_t>(i)].contains(point.x(), point.y()))
            return i;
    return kNoRow;
}

MainView::MainView(AppState& state, MainWindowHost& host) : state_(state), host_(host) {
    report_.showMessage = [this](const QString& text) { host_.showMessage(text); };
    report_.closeProgram = [this] { host_.closeProgram(); };
}

void MainView::loadSkinLayouts() {
    const QString folder = state_.shell.skinsFolder;
    const bool english = state_.shell.isEnglish != 0;
    // A missing file is told once per load of the skin, not once per row.
    report_.missingReported.clear();
    loadSkinMain(layout_, folder, english, report_);
    loadSkinColor(layout_, folder, english, report_);
    loadSkinAdvance(layout_, folder, english, report_);
    pictures_.reset(folder);
}

void MainView::loadWarningSkin() {
    loadWarningLayout(layout_, state_.shell.skinsFolder, state_.shell.isEnglish != 0, report_);
}

const WindowShape& MainView::buildShape() {
    shape_ = buildWindowShape(state_.shell.maskPath, layout_);
    state_.shell.maskWidth = shape_.width;
    state_.shell.maskHeight = shape_.height;
    return shape_;
}

const QImage& MainView::composeFrame() {
    serviceMenuCloseRequest(state_);
    pictures_.ensurePage(state_.view.viewMode);
    vux::composeFrame(state_, layout_, pictures_, fonts_, macroPageStatus(state_), frame_);
    return frame_;
}

void MainView::paint(QPainter& painter) {
    const QImage& frame = composeFrame();
    // One copy of the finished frame; on a scaled screen it is scaled evenly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(0, 0), frame);
}

void MainView::repaint() {
    host_.repaintWindow();
}

void MainView::moveRepaint() {
    // On the macro page the controls keep their own pixels.
    if (state_.view.viewMode == kPageMacro && shape_.shaped())
        host_.repaintRegion(shape_.withoutControls);
    else
        host_.repaintWindow();
}

void MainView::mouseMove(QPoint point) {
    MainViewState& v = state_.view;
    const int lastMain = v.viewMode == kPageMain ? kLastMainRow : kLastHeaderRow;
    v.hotMain = static_cast<uint8_t>(hitTest(point, layout_.mainRects, lastMain));
    v.hotColor = static_cast<uint8_t>(hitTest(point, layout_.colorRects, kLastColorRow));
    v.hotAdvanced = static_cast<uint8_t>(hitTest(point, layout_.advanceRects, kLastAdvanceRow));
    auto follow = [this](Relaxed<uint8_t>& hot, Relaxed<uint8_t>& prev) {
        if (hot != prev) {
            moveRepaint();
            prev = hot.load();
        }
    };
    follow(v.hotMain, v.prevHotMain);
    follow(v.hotColor, v.prevHotColor);
    follow(v.hotAdvanced, v.prevHotAdvanced);
}

void MainView::leftButtonDown(QPoint point) {
    MainViewState& v = state_.view;
    if (v.hotMain != kNoRow || v.hotColor != kNoRow || v.hotAdvanced != kNoRow) {
        v.buttonHeld = 1;
        repaint();
    }
    switch (v.viewMode) {
    case kPageMain:
        pressMainPage(point);
        break;
    case kPageMacro:
        pressMacroPage(point);
        break;
    case kPageColor:
        pressColorPage();
        break;
    default:
        break;
    }
}

void MainView::pressMainPage(QPoint) {
    ShellState& shell = state_.shell;
    ProfileSettings& profile = state_.profile;
    if (shell.menuOpen != 0) {
        closeFunctionMenu(state_);
        shell.menuOpen = 0;
    }
    const int row = state_.view.hotMain;
    if (row == 10) {
        enterMacroPage();
    } else if (row == 11) {
        enterColorPage();
    } else if (row >= 25 && row <= 32) {
        shell.editSlot = row;
        openFunctionMenu(state_, host_.widget(), layout_, row);
    } else if (row == 41 || row == 42) {
        profile.wheelStatus = row - 41;
    } else if (row >= 46 && row <= 49) {
        toggleDpiLevel(row - 46);
    } else if (row >= 54 && row <= 57) {
        const int k = row - 54;
        if (profile.dpiEnabled[k] != 0)
            profile.dpiLevel = k;
    } else if (row >= 60 && row <= 79) {
        const int j = (row - 60) / kDpiStepCount;
        profile.dpiSet[j] = static_cast<uint8_t>(row - (60 + kDpiStepCount * j));
        state_.derived.dpiArea[j] = row;
    } else if (row == kNoRow) {
        host_.startWindowMove();
    }
}

void MainView::toggleDpiLevel(int k) {
    ProfileSettings& p = state_.profile;
    if (p.dpiEnabled[k] == 0) {
        p.dpiEnabled[k] = 1;
        return;
    }
    p.dpiEnabled[k] = 0;
    if (p.dpiLevel != k)
        return;
    // The level in force was switched off: move on to the next enabled one.
    int level = k;
    for (int i = 0; i < kDpiLevelCount; ++i) {
        level = level == kDpiLevelCount - 1 ? 0 : level + 1;
        if (p.dpiEnabled[level] == 1) {
            p.dpiLevel = level;
            return;
        }
    }
    // The last enabled level cannot be switched off.
    p.dpiLevel = k;
    p.dpiEnabled[k] = 1;
}

void MainView::pressMacroPage(QPoint point) {
    const int main = state_.view.hotMain;
    if (main == 9) {
        enterMainPage();
        return;
    }
    if (main == 11) {
        enterColorPage();
        return;
    }
    ProfileSettings& p = state_.profile;
    const int row = state_.view.hotAdvanced;
    QWidget* window = host_.widget();
    switch (row) {
    case 0:
        if (importMacros(state_, window)) {
            refillMacroList(state_);
            repaint();
        }
        break;
    case 1:
        exportMacros(state_, window);
        break;
    case 2:
        addMacro(state_);
        break;
    case 3:
        deleteMacro(state_);
        break;
    case 4:
        toggleRecording(state_);
        break;
    case 5:
        saveMacros(state_);
        break;
    case 6:
        toggleRepeat(state_);
        break;
    case 7:
        p.macroMode = p.macroMode == 0 ? 1 : 0;
        break;
    case 30: {
        const SkinRect& bar = layout_.advanceRects[30];
        if (bar.width > 0) {
            const int64_t t = (int64_t{point.x()} - bar.x) * kFireTimeMax / bar.width;
            p.fireTime = static_cast<int32_t>(std::clamp<int64_t>(t, 0, kFireTimeMax));
        }
        repaint();
        break;
    }
    case 31:
        p.fireTime = std::min(p.fireTime + 1, kFireTimeMax);
        repaint();
        break;
    case 32:
        p.fireTime = std::max(p.fireTime - 1, 0);
        repaint();
        break;
    case kNoRow:
        if (main == kNoRow)
            host_.startWindowMove();
        break;
    default:
        if (row >= 8 && row <= 17)
            p.pointerSpeed = static_cast<uint8_t>(row - 8);
        else if (row >= 18 && row <= 27)
            p.wheelSpeed = static_cast<uint8_t>(row - 18);
        break;
    }
}

void MainView::pressColorPage() {
    const int main = state_.view.hotMain;
    const int color = state_.view.hotColor;
    if (main == 9)
        enterMainPage();
    else if (main == 10)
        enterMacroPage();
    else if (color <= 3)
        state_.profile.ledStatus = static_cast<uint8_t>(color);
    else if (color == kNoRow && main == kNoRow)
        host_.startWindowMove();
}

void MainView::leaveMacroPage() {
    if (state_.view.viewMode == kPageMacro)
        destroyMacroControls(state_);
}

void MainView::enterMainPage() {
    leaveMacroPage();
    state_.view.viewMode = kPageMain;
    if (state_.shell.blinkRunning == 0 && state_.hooks.startBlink) {
        state_.shell.blinkRunning = 1;
        state_.hooks.startBlink();
    }
    repaint();
}

void MainView::enterColorPage() {
    leaveMacroPage();
    state_.view.viewMode = kPageColor;
    if (state_.indicator.animRunning == 0 && state_.hooks.startAnimation) {
        state_.indicator.animRunning = 1;
        state_.hooks.startAnimation();
    }
    repaint();
}

void MainView::enterMacroPage() {
    state_.view.viewMode = kPageMacro;
    moveRepaint();
    createMacroControls(state_, host_.widget(), layout_);
    refillMacroList(state_);
}

void MainView::leftButtonUp(QPoint) {
    MainViewState& v = state_.view;
    ShellState& shell = state_.shell;
    v.buttonHeld = 0;
    repaint();
    const int row = v.hotMain;
    switch (row) {
    case 2:
        v.hotMain = kNoRow;
        saveDpiLevel(state_, shell.configPath, lastAppliedProfile);
        loadProfile(state_, shell.configPath, lastAppliedProfile, false);
        host_.hideToTray();
        repaint();
        break;
    case 3:
        applySettings(state_);
        break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        // Loaded for editing; it reaches the mouse with the apply button.
        shell.currentProfile = row - 3;
        loadProfile(state_, shell.configPath, row - 3, false);
        repaint();
        break;
    case 12:
        v.hotMain = kNoRow;
        host_.minimise();
        break;
    case 13:
        v.hotMain = kNoRow;
        host_.hideToTray();
        break;
    case 14:
        if (importProfile(state_, host_.widget()))
            repaint();
        break;
    case 15:
        exportProfile(state_, host_.widget());
        break;
    case 16:
        factoryReset(state_, host_.widget());
        break;
    case 17:
        host_.switchToChinese();
        break;
    case 18:
        host_.switchToEnglish();
        break;
    case 19:
        host_.openWebPage(kHelpPage);
        break;
    default:
        break;
    }
}

} // namespace vux
