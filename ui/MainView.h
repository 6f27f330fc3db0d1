#pragma once
// The face of the main window: its skin (layout, pictures, shape), the frame
// painted from it, and what the pointer does on it. The window forwards its
// paint and pointer events here and does what the view asks through the host.

#include "ui/MainPainter.h"
#include "ui/SkinLayout.h"
#include "ui/SkinPictures.h"
#include "ui/WindowShape.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QUrl>

#include <span>

class QPainter;
class QWidget;

namespace vux {

struct AppState;

// What the view needs from its window.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    virtual QWidget* widget() = 0;
    virtual void repaintWindow() = 0;
    virtual void repaintRegion(const QRegion& region) = 0;
    // The window system moves the window with the pointer until the button is up.
    virtual void startWindowMove() = 0;
    virtual void minimise() = 0;
    virtual void hideToTray() = 0;
    virtual void switchToChinese() = 0;
    virtual void switchToEnglish() = 0;
    virtual void openWebPage(const QUrl& url) = 0;
    // Message box owned by the window, captioned with the program's name.
    virtual void showMessage(const QString& text) = 0;
    virtual void closeProgram() = 0;
};

// The page opened by the web button of the header.
inline const QUrl kHelpPage{QStringLiteral("https://github.com")};

// The first row of table[0..last] holding point, or 255.
int hitTest(QPoint point, std::span<const SkinRect> table, int last);

class MainView {
public:
    MainView(AppState& state, MainWindowHost& host);

    SkinLayout& layout() { return layout_; }
    const SkinLayout& layout() const { return layout_; }
    const SkinPictures& pictures() const { return pictures_; }
    const WindowShape& shape() const { return shape_; }

    // The main, DPI/light and macro page layouts of the language in force; the
    // pictures of each page are decoded once per load, when the page first shows.
    void loadSkinLayouts();
    // The warning dialog's layout.
    void loadWarningSkin();
    // The outline from the mask picture; unshaped when it is missing or broken.
    const WindowShape& buildShape();

    void setFonts(const SkinFonts& fonts) { fonts_ = fonts; }
    // Composes the page in view off screen; the window shows it in one copy.
    const QImage& composeFrame();
    void paint(QPainter& painter);

    void mouseMove(QPoint point);
    void leftButtonDown(QPoint point);
    void leftButtonUp(QPoint point);

private:
    void repaint();
    void moveRepaint();
    void pressMainPage(QPoint point);
    void pressMacroPage(QPoint point);
    void pressColorPage();
    void toggleDpiLevel(int level);
    void enterMainPage();
    void enterMacroPage();
    void enterColorPage();
    void leaveMacroPage();

    AppState& state_;
    MainWindowHost& host_;
    SkinLayout layout_;
    SkinPictures pictures_;
    SkinReport report_;
    WindowShape shape_;
    SkinFonts fonts_;
    QImage frame_;
};

} // namespace vux
