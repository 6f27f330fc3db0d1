#include "ui/MainPainter.h"

#include "app/AppState.h"
#include "macros/MacroFile.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace vux {

namespace {

constexpr int kTabRow[kPageCount] = {9, 10, 11};
constexpr int kTextCount[kPageCount] = {54, 66, 33};
constexpr int kHeaderRows = 20;
constexpr int kFireTimeMax = 300;

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kGrey(128, 128, 128);

template <std::size_t N> bool validRow(const std::array<SkinRect, N>&, int row) {
    return row >= 0 && row < static_cast<int>(N);
}

// Copies a row of a layout table from a picture, if the row exists.
template <std::size_t N>
void copyRow(QImage& frame, const QImage& from, const std::array<SkinRect, N>& table, int row) {
    if (validRow(table, row))
        copyStateRect(frame, from, table[static_cast<std::size_t>(row)].toQRect());
}

void drawText(QPainter& p, const QString& text, const SkinRect& r, bool centred,
              const QColor& colour) {
    if (text.isEmpty())
        return;
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    const int x = centred ? r.x + (r.width - w) / 2 : r.x + 5;
    const int y = r.y + (r.height - h) / 2;
    p.setPen(colour);
    p.drawText(x, y + fm.ascent(), text);
}

QString buttonLabel(const AppState& state, const SkinLayout& layout, int code) {
    if (code >= 41) {
        const int slot = code - 41;
        if (slot >= kMacroTableSize)
            return {};
        return macroName(state.macros.snapshot(slot));
    }
    if (code < 0 || code >= kFunStrings)
        return {};
    return layout.funStrings[static_cast<std::size_t>(code)];
}

void paintMainPage(const AppState& state, const SkinLayout& layout, const PagePictures& page,
                   const SkinPictures& pictures, QImage& frame) {
    const auto& rects = layout.mainRects;
    const int dpiLevel = state.profile.dpiLevel;
    if (dpiLevel >= 0 && dpiLevel < kDpiLevelCount)
        copyRow(frame, page.down, rects, 80 + dpiLevel);
    for (int j = 0; j < kDpiLevelCount; ++j) {
        const int area = state.derived.dpiArea[j];
        if (validRow(rects, area)) {
            const SkinRect& r = rects[static_cast<std::size_t>(area)];
            // The knob picture's top-left corner, sized like the step's rectangle.
            blit(frame, QPoint(r.x, r.y), pictures.dpiKnob, QRect(0, 0, r.width, r.height));
        }
        if (state.profile.dpiEnabled[j] == 1)
            copyRow(frame, page.down, rects, 46 + j);
    }
    copyRow(frame, page.down, rects, state.profile.wheelStatus != 0 ? 42 : 41);
    const int hot = state.view.hotMain;
    if (hot >= 25 && hot <= 32) {
        copyRow(frame, page.over, rects, hot + 65);
    } else if (state.derived.driverActive == 0) {
        const int n = state.derived.firstHostButton;
        if (n >= 1 && n <= kButtonCount)
            copyRow(frame, state.indicator.blinkOn == 1 ? page.over : page.down, rects, 89 + n);
    }
}

void paintMacroPage(const AppState& state, const SkinLayout& layout, const PagePictures& page,
                    const MacroPageStatus& macroPage, QImage& frame) {
    const auto& rects = layout.advanceRects;
    if (macroPage.recording)
        copyRow(frame, page.down, rects, 4);
    const int pointerSpeed = state.profile.pointerSpeed;
    if (pointerSpeed <= 9)
        copyRow(frame, page.down, rects, 8 + pointerSpeed);
    const int wheelSpeed = state.profile.wheelSpeed;
    if (wheelSpeed <= 9)
        copyRow(frame, page.down, rects, 18 + wheelSpeed);
    const SkinRect& bar = rects[30];
    copyStateRect(frame, page.down,
                  QRect(bar.x, bar.y, fireBarWidth(state.profile.fireTime, bar.width), bar.height));
    if (state.profile.macroMode != 0)
        copyRow(frame, page.down, rects, 7);
    const int selected = state.macros.selectedMacro;
    if (selected >= 0 && selected < kMacroTableSize &&
        state.macros.snapshot(selected).repeatEnabled == 1)
        copyRow(frame, page.down, rects, 6);
}

void paintColorPage(const AppState& state, const SkinLayout& layout, const PagePictures& page,
                    const SkinPictures& pictures, QImage& frame) {
    const auto& rects = layout.colorRects;
    copyRow(frame, page.down, rects, state.profile.ledStatus);
    const QRect indicator = rects[11].toQRect();
    if (state.indicator.animOff != 0) {
        copyStateRect(frame, pictures.indicatorGray, indicator);
        return;
    }
    switch (state.indicator.animLevel) {
    case 0:
        copyStateRect(frame, pictures.indicatorBlue, indicator);
        break;
    case 2:
        copyStateRect(frame, page.over, indicator);
        break;
    case 3:
        copyStateRect(frame, page.down, indicator);
        break;
    default:
        break; // level 1 is the page's own colour
    }
}

void paintHeader(const AppState& state, const SkinLayout& layout, const PagePictures& page,
                 int tabRow, QImage& frame) {
    const int profileTab = state.shell.currentProfile + 3;
    const int hot = state.view.hotMain;
    const bool held = state.view.buttonHeld != 0;
    const int english = state.shell.isEnglish;
    for (int i = 0; i < kHeaderRows; ++i) {
        const QImage* from = nullptr;
        if (i == profileTab)
            from = &page.down;
        else if (i == hot)
            from = held ? &page.down : &page.over;
        else if (i == tabRow || (i == 17 && english == 0) || (i == 18 && english == 1))
            from = &page.down;
        if (from)
            copyRow(frame, *from, layout.mainRects, i);
    }
}

void paintTexts(const AppState& state, SkinLayout& layout, const SkinFonts& fonts,
                const MacroPageStatus& macroPage, int mode, QImage& frame) {
    const bool english = state.shell.isEnglish != 0;
    layout.mainTexts[1] = statusText(english, state.derived.driverActive != 0,
                                     state.derived.firstHostButton, state.indicator.blinkOn != 0);
    QPainter p(&frame);
    p.setFont(english ? fonts.main : fonts.han);
    const int count = kTextCount[mode];
    for (int i = 0; i < count; ++i) {
        const QColor byDefault = i == 1 ? kYellow : kWhite;
        if (mode == kPageMain && i >= 25 && i <= 32) {
            const QString label = buttonLabel(state, layout, state.profile.keyFunc[i - 25]);
            drawText(p, label, layout.mainRects[i], false, i == state.view.hotMain ? kRed : kWhite);
        } else if (mode == kPageMain || i < kHeaderRows) {
            QColor colour = byDefault;
            if (mode == kPageMain && i >= 50 && i <= 53) {
                p.setFont(english ? fonts.small : fonts.han);
                colour = state.profile.dpiEnabled[i - 50] == 1 ? kGreen : kGrey;
            }
            drawText(p, layout.mainTexts[i], layout.mainRects[i], true, colour);
        } else if (mode == kPageColor) {
            const int j = i - kHeaderRows;
            if (j == 9) {
                const int level = state.profile.dpiLevel;
                const int step = level >= 0 && level < kDpiLevelCount
                                     ? state.derived.dpiInForce[level].load()
                                     : -1;
                drawText(p, QString::number(dpiValueOfStep(step)), layout.colorRects[9], true,
                         byDefault);
            } else {
                drawText(p, layout.colorTexts[j], layout.colorRects[j], true, byDefault);
            }
        } else {
            const int j = i - kHeaderRows;
            switch (j) {
            case 4:
                layout.advanceTexts[4] = recordCaption(english, macroPage.recording);
                break;
            case 33:
                layout.advanceTexts[33] =
                    QString::number(state.profile.fireTime) + QStringLiteral("ms");
                break;
            case 38:
                layout.advanceTexts[38] =
                    QStringLiteral("[↓]") + QString::number(macroPage.downLines);
                break;
            case 39:
                layout.advanceTexts[39] =
                    QStringLiteral("[↑]") + QString::number(macroPage.upLines);
                break;
            default:
                break;
            }
            drawText(p, layout.advanceTexts[j], layout.advanceRects[j], true,
                     j == state.view.hotAdvanced ? kRed : byDefault);
        }
    }
}

} // namespace

void blit(QImage& target, QPoint at, const QImage& source, const QRect& from) {
    // Clip the source rectangle to the source, then its image to the target.
    QRect src = from.intersected(source.rect());
    if (src.isEmpty())
        return;
    QRect dst(at + (src.topLeft() - from.topLeft()), src.size());
    const QRect visible = dst.intersected(target.rect());
    if (visible.isEmpty())
        return;
    src.translate(visible.topLeft() - dst.topLeft());
    src.setSize(visible.size());
    dst = visible;
    if (source.format() != QImage::Format_RGB32 || target.format() != QImage::Format_RGB32) {
        QPainter p(&target);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(dst.topLeft(), source, src);
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(dst.width()) * 4;
    for (int row = 0; row < dst.height(); ++row)
        std::memcpy(target.scanLine(dst.top() + row) + std::size_t(dst.left()) * 4,
                    source.constScanLine(src.top() + row) + std::size_t(src.left()) * 4, bytes);
}

void copyStateRect(QImage& target, const QImage& source, const QRect& r) {
    blit(target, r.topLeft(), source, r);
}

QString statusText(bool english, bool driverActive, int firstHostButton, bool blinkOn) {
    if (driverActive)
        return english ? QStringLiteral("Tamam, Yapılandırma başlıyor.")
                       : QStringLiteral("驱动运行中...");
    const QString n = blinkOn ? QString::number(firstHostButton)
                              : (english ? QStringLiteral("  ") : QStringLiteral(" "));
    return english ? QStringLiteral("Yapılandırma bitti, yazılımı başlatmak için [") + n +
                         QStringLiteral("] tuşuna tıklayın")
                   : QStringLiteral("配置完成，请点击鼠标第[") + n + QStringLiteral("]键运行驱动");
}

QString recordCaption(bool english, bool recording) {
    if (recording)
        return english ? QStringLiteral("Dur") : QStringLiteral("停止");
    return english ? QStringLiteral("Kaydet") : QStringLiteral("录制");
}

int dpiValueOfStep(int step) {
    static constexpr int kValues[kDpiStepCount] = {3200, 1200, 1600, 2000, 2400};
    return step >= 0 && step < kDpiStepCount ? kValues[step] : 1200;
}

int fireBarWidth(int fireTime, int barWidth) {
    // A stored time outside 0..300 draws as the nearest end of the bar.
    const uint32_t t = static_cast<uint32_t>(std::clamp(fireTime, 0, kFireTimeMax));
    const uint32_t w = static_cast<uint32_t>(std::max(barWidth, 0));
    return static_cast<int>(t * w / kFireTimeMax);
}

void composeFrame(const AppState& state, SkinLayout& layout, const SkinPictures& pictures,
                  const SkinFonts& fonts, const MacroPageStatus& macroPage, QImage& frame) {
    int mode = state.view.viewMode;
    if (mode < 0 || mode >= kPageCount)
        mode = kPageMain;
    const PagePictures& page = pictures.pages[static_cast<std::size_t>(mode)];
    // The frame keeps its buffer between paints; only the base is copied in.
    const QSize size = page.normal.isNull() ? QSize(800, 642) : page.normal.size();
    if (frame.size() != size || frame.format() != QImage::Format_RGB32)
        frame = QImage(size, QImage::Format_RGB32);
    if (page.normal.isNull())
        frame.fill(Qt::black);
    else
        copyStateRect(frame, page.normal, frame.rect());

    const int hot = mode == kPageMain    ? state.view.hotMain
                    : mode == kPageMacro ? state.view.hotAdvanced
                                         : state.view.hotColor;
    if (hot != kNoRow) {
        const QImage& from = state.view.buttonHeld != 0 ? page.down : page.over;
        if (mode == kPageMain)
            copyRow(frame, from, layout.mainRects, hot);
        else if (mode == kPageMacro)
            copyRow(frame, from, layout.advanceRects, hot);
        else
            copyRow(frame, from, layout.colorRects, hot);
    }
    if (mode == kPageMain)
        paintMainPage(state, layout, page, pictures, frame);
    else if (mode == kPageMacro)
        paintMacroPage(state, layout, page, macroPage, frame);
    else
        paintColorPage(state, layout, page, pictures, frame);
    paintHeader(state, layout, page, kTabRow[mode], frame);
    paintTexts(state, layout, fonts, macroPage, mode, frame);
}

} // namespace vux
