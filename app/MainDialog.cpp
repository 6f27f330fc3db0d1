#include "app/MainDialog.h"

#include "app/AppIcon.h"
#include "app/AppState.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QPainter>

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
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state) {
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
    painter.fillRect(rect(), QColor(0x14, 0x16, 0x1b));
}

void CVUX_GMouseDlg::mousePressEvent(QMouseEvent* event) { QWidget::mousePressEvent(event); }
void CVUX_GMouseDlg::mouseReleaseEvent(QMouseEvent* event) { QWidget::mouseReleaseEvent(event); }
void CVUX_GMouseDlg::mouseMoveEvent(QMouseEvent* event) { QWidget::mouseMoveEvent(event); }

void CVUX_GMouseDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClosed)
        onClosed();
}

} // namespace vux
