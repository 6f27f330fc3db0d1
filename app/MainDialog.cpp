#include "app/MainDialog.h"

#include "app/AppIcon.h"
#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "platform/shell/ProcessLauncher.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace vux {

QString windowTitleFor(bool english) {
    return english ? QStringLiteral("TESK GAMING MOUSE")
                   : QStringLiteral("Vand Rox宏编程游戏鼠标驱动");
}

namespace {

QFont makeFont(const QStringList& families, int pixelHeight, int averageWidth) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // The face is asked for by height and average character width; a width of
    // about 0.43 of the height is the face's natural one, so stretch relative to it.
    const int natural = pixelHeight * 43 / 100;
    if (natural > 0)
        font.setStretch(qBound(50, averageWidth * 100 / natural, 200));
    return font;
}

} // namespace

CVUX_GMouseDlg::CVUX_GMouseDlg(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state),
      view_(std::make_unique<MainView>(state, static_cast<MainWindowHost&>(*this))) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setWindowIcon(appIcon());
}

CVUX_GMouseDlg::~CVUX_GMouseDlg() = default;

void CVUX_GMouseDlg::createFonts() {
    // "segoeui" and "宋体" are asked for first; fontconfig resolves them to the
    // closest installed faces, with DejaVu and WenQuanYi as the known fallbacks.
    const QStringList latin{QStringLiteral("segoeui"), QStringLiteral("Segoe UI"),
                            QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")};
    const QStringList han{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                          QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")};
    fonts_.main = makeFont(latin, 14, 6);
    fonts_.small = makeFont(latin, 12, 5);
    fonts_.han = makeFont(han, 12, 6);
    view_->setFonts({fonts_.main, fonts_.small, fonts_.han});
}

void CVUX_GMouseDlg::applyShape() {
    const WindowShape& shape = view_->shape();
    if (shape.shaped())
        setMask(shape.window);
    else
        clearMask();
}

void CVUX_GMouseDlg::restoreWindow() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void CVUX_GMouseDlg::requestRepaint() {
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void CVUX_GMouseDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    view_->paint(painter);
}

void CVUX_GMouseDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        view_->leftButtonDown(event->position().toPoint());
    else
        QWidget::mousePressEvent(event);
}

void CVUX_GMouseDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        view_->leftButtonUp(event->position().toPoint());
    else
        QWidget::mouseReleaseEvent(event);
}

void CVUX_GMouseDlg::mouseMoveEvent(QMouseEvent* event) {
    view_->mouseMove(event->position().toPoint());
}

void CVUX_GMouseDlg::startWindowMove() {
    if (QWindow* w = windowHandle())
        w->startSystemMove();
}

void CVUX_GMouseDlg::minimise() {
    showMinimized();
}

// Tray and language switching come with the window lifecycle; until then the
// buttons do nothing.
void CVUX_GMouseDlg::hideToTray() {}
void CVUX_GMouseDlg::switchToChinese() {}
void CVUX_GMouseDlg::switchToEnglish() {}

void CVUX_GMouseDlg::openWebPage(const QUrl& url) {
    if (ProcessLauncher* launcher = state_.platform.launcher) {
        const LaunchCommand open{"xdg-open", {url.toString().toStdString()}};
        launcher->launch({&open, 1}, LaunchFallback::WhenMissing);
        return;
    }
    QDesktopServices::openUrl(url);
}

void CVUX_GMouseDlg::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon,
                    QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(), text,
                    QMessageBox::Ok, this);
    box.exec();
}

void CVUX_GMouseDlg::closeProgram() {
    vux::closeProgram(state_, *this);
}

void CVUX_GMouseDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClosed)
        onClosed();
}

} // namespace vux
