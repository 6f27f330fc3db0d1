#pragma once
// CVUX_GMouseDlg: the program's one window. It has no controls of its own: the
// skin paints it, and pointer input is hit-tested against the skin's rows.

#include "ui/MainView.h"

#include <QFont>
#include <QWidget>

#include <functional>
#include <memory>

namespace vux {

struct AppState;

struct Fonts {
    QFont main;  // English texts
    QFont small; // small texts of the painting
    QFont han;   // Chinese texts
};

// The window titles by language; other code finds the window by them.
QString windowTitleFor(bool english);

class CVUX_GMouseDlg : public QWidget, private MainWindowHost {
    Q_OBJECT
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 642;

    explicit CVUX_GMouseDlg(AppState& state, QWidget* parent = nullptr);
    ~CVUX_GMouseDlg() override;

    AppState& state() { return state_; }
    // The skin, its painting and the pointer rules live in the view.
    MainView& view() { return *view_; }
    // Applies the view's outline to the window (unshaped without a mask).
    void applyShape();
    const Fonts& fonts() const { return fonts_; }
    void createFonts();

    // Shown, raised and un-minimised, also when hidden in the tray.
    void restoreWindow();

    // A message box owned by the window, captioned with the program's name, with OK.
    void showMessage(const QString& text) override;

    // Runs on the window's thread whenever the window is destroyed, however it ends.
    std::function<void()> onClosed;

public slots:
    // Thread-safe: queued to the UI thread.
    void requestRepaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // MainWindowHost
    QWidget* widget() override { return this; }
    void repaintWindow() override { update(); }
    void repaintRegion(const QRegion& region) override { update(region); }
    void startWindowMove() override;
    void minimise() override;
    void hideToTray() override;
    void switchToChinese() override;
    void switchToEnglish() override;
    void openWebPage(const QUrl& url) override;
    void closeProgram() override;

    AppState& state_;
    Fonts fonts_;
    std::unique_ptr<MainView> view_;
};

} // namespace vux
