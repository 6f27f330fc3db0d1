#include "Painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace skin {

namespace {

// The palette: near-black body, graphite panels, one cyan accent.
const QColor kBodyTop(0x15, 0x18, 0x1f);
const QColor kBodyBottom(0x0b, 0x0d, 0x11);
const QColor kBar(0x10, 0x13, 0x19);
const QColor kEdge(0x2c, 0x33, 0x41);
const QColor kPanel(0x14, 0x18, 0x20);
const QColor kPanelBorder(0x24, 0x2a, 0x35);
const QColor kCard(0x18, 0x1c, 0x24);
const QColor kInset(0x0c, 0x0f, 0x14);
const QColor kControl(0x1d, 0x22, 0x2c);
const QColor kControlBorder(0x31, 0x38, 0x45);
const QColor kControlHover(0x26, 0x2d, 0x39);
const QColor kAccent(0x00, 0xc8, 0xff);
const QColor kAccentDeep(0x0b, 0x35, 0x43);
const QColor kMuted(0x8d, 0x96, 0xa5);
const QColor kDim(0x6c, 0x75, 0x85);
const QColor kBright(0xe8, 0xed, 0xf5);
const QColor kDanger(0xd8, 0x2c, 0x3a);

QColor alpha(QColor c, int a) {
    c.setAlpha(a);
    return c;
}

QColor levelColour(int level) {
    return QColor::fromRgb(kLevelColours[static_cast<size_t>(level)]);
}

// A rectangle with its top-left and bottom-right corners cut: the angular
// outline used by buttons and panels.
QPainterPath cutRect(const QRectF& r, qreal cut) {
    QPainterPath p;
    p.moveTo(r.left() + cut, r.top());
    p.lineTo(r.right(), r.top());
    p.lineTo(r.right(), r.bottom() - cut);
    p.lineTo(r.right() - cut, r.bottom());
    p.lineTo(r.left(), r.bottom());
    p.lineTo(r.left(), r.top() + cut);
    p.closeSubpath();
    return p;
}

// Pixel rectangles are drawn with their outline on pixel centres.
QRectF inner(const QRect& r) {
    return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

void framed(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& border,
            qreal width = 1) {
    p.setPen(border.isValid() ? QPen(border, width) : Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

void drawDigits(QPainter& p, const QFont& font, const QRectF& r, const QString& text,
                const QColor& colour) {
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

QFont sized(QFont f, int pixels) {
    f.setPixelSize(pixels);
    return f;
}

// ---- icons -----------------------------------------------------------------

void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c = box.center();
    switch (icon) {
    case Icon::Web: {
        p.drawEllipse(c, 7.5, 7.5);
        p.drawEllipse(c, 3.2, 7.5);
        p.drawLine(QPointF(c.x() - 7.5, c.y()), QPointF(c.x() + 7.5, c.y()));
        break;
    }
    case Icon::Minimise:
        p.drawLine(QPointF(c.x() - 6, c.y() + 4), QPointF(c.x() + 6, c.y() + 4));
        break;
    case Icon::Tray: {
        QPainterPath tray;
        tray.moveTo(c.x() - 7, c.y() + 1);
        tray.lineTo(c.x() - 7, c.y() + 7);
        tray.lineTo(c.x() + 7, c.y() + 7);
        tray.lineTo(c.x() + 7, c.y() + 1);
        p.drawPath(tray);
        p.drawLine(QPointF(c.x(), c.y() - 8), QPointF(c.x(), c.y() + 3));
        p.drawLine(QPointF(c.x() - 3.5, c.y() - 0.5), QPointF(c.x(), c.y() + 3));
        p.drawLine(QPointF(c.x() + 3.5, c.y() - 0.5), QPointF(c.x(), c.y() + 3));
        break;
    }
    case Icon::Close:
        p.drawLine(QPointF(c.x() - 5.5, c.y() - 5.5), QPointF(c.x() + 5.5, c.y() + 5.5));
        p.drawLine(QPointF(c.x() + 5.5, c.y() - 5.5), QPointF(c.x() - 5.5, c.y() + 5.5));
        break;
    case Icon::SlowCycle:
    case Icon::FastCycle: {
        const double waves = icon == Icon::SlowCycle ? 1.0 : 2.5;
        QPainterPath wave;
        for (int i = 0; i <= 40; ++i) {
            const double t = i / 40.0;
            const QPointF pt(c.x() - 11 + 22 * t, c.y() - 5 * std::sin(t * waves * 2 * M_PI));
            if (i == 0)
                wave.moveTo(pt);
            else
                wave.lineTo(pt);
        }
        p.drawPath(wave);
        break;
    }
    case Icon::Steady:
        p.setBrush(colour);
        p.drawEllipse(c, 4.5, 4.5);
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4;
            p.drawLine(QPointF(c.x() + 7.5 * std::cos(a), c.y() + 7.5 * std::sin(a)),
                       QPointF(c.x() + 10 * std::cos(a), c.y() + 10 * std::sin(a)));
        }
        break;
    case Icon::Off:
        p.drawEllipse(c, 8, 8);
        p.drawLine(QPointF(c.x() - 5.6, c.y() + 5.6), QPointF(c.x() + 5.6, c.y() - 5.6));
        break;
    case Icon::Plus:
        p.drawLine(QPointF(c.x() - 5, c.y()), QPointF(c.x() + 5, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() + 5));
        break;
    case Icon::Minus:
        p.drawLine(QPointF(c.x() - 5, c.y()), QPointF(c.x() + 5, c.y()));
        break;
    case Icon::Record:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c, 5, 5);
        break;
    case Icon::None:
        break;
    }
    p.restore();
}

// ---- the mouse ----------------------------------------------------------------

// Top view of the mouse body, 280 units long, centred on x = 0, front at y = 0.
QPainterPath mouseBody(qreal cx, qreal top, qreal scale) {
    auto pt = [&](qreal x, qreal y) { return QPointF(cx + x * scale, top + y * scale); };
    QPainterPath p;
    p.moveTo(pt(0, 0));
    p.cubicTo(pt(32, 0), pt(54, 12), pt(57, 44));
    p.cubicTo(pt(60, 80), pt(62, 120), pt(64, 160));
    p.cubicTo(pt(67, 200), pt(68, 232), pt(62, 255));
    p.cubicTo(pt(55, 275), pt(30, 280), pt(0, 280));
    p.cubicTo(pt(-30, 280), pt(-55, 275), pt(-62, 255));
    p.cubicTo(pt(-68, 232), pt(-67, 200), pt(-64, 160));
    p.cubicTo(pt(-62, 120), pt(-60, 80), pt(-57, 44));
    p.cubicTo(pt(-54, 12), pt(-32, 0), pt(0, 0));
    p.closeSubpath();
    return p;
}

void fillBody(QPainter& p, const QPainterPath& body, qreal cx, qreal top, qreal scale) {
    QRadialGradient g(QPointF(cx - 14 * scale, top + 150 * scale), 150 * scale);
    g.setColorAt(0, QColor(0x2b, 0x31, 0x3c));
    g.setColorAt(1, QColor(0x15, 0x18, 0x1f));
    p.setPen(QPen(QColor(0x41, 0x4a, 0x5a), 1.5));
    p.setBrush(g);
    p.drawPath(body);
}

struct ButtonLook {
    QBrush fill;
    QColor border;
    QColor digit;
};

ButtonLook mouseButtonLook(State state, const QRectF& area) {
    switch (state) {
    case State::Over: {
        QLinearGradient g(area.topLeft(), area.bottomLeft());
        g.setColorAt(0, QColor(0x3d, 0xdc, 0xff));
        g.setColorAt(1, QColor(0x00, 0x86, 0xb3));
        return {g, QColor(0xb5, 0xf1, 0xff), QColor(0x04, 0x14, 0x1a)};
    }
    case State::Down:
        return {QColor(0x0c, 0x3a, 0x4a), kAccent, kAccent};
    case State::Normal:
        break;
    }
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, QColor(0x2a, 0x30, 0x3b));
    g.setColorAt(1, QColor(0x1b, 0x1f, 0x27));
    return {g, QColor(0x45, 0x4e, 0x5e), kMuted};
}

void drawMouse(QPainter& p, const Skin& s, const Fonts& f, State state) {
    const qreal cx = s.mouseCx, top = s.mouseTop;
    const QPainterPath body = mouseBody(cx, top, 1.0);
    p.setRenderHint(QPainter::Antialiasing);

    // Soft shadow under the body.
    for (int k = 6; k >= 1; --k) {
        p.setPen(QPen(QColor(0, 0, 0, 18), k * 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(body.translated(0, 3));
    }
    fillBody(p, body, cx, top, 1.0);

    // Palm: grip lines and a dim light chevron.
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(QColor(0x22, 0x27, 0x30), 1));
    for (int k = 0; k < 7; ++k) {
        const qreal y = top + 190 + k * 8;
        p.drawLine(QPointF(cx - 70, y), QPointF(cx - 52, y + 4));
        p.drawLine(QPointF(cx + 70, y), QPointF(cx + 52, y + 4));
    }
    QPainterPath chevron;
    chevron.moveTo(cx - 20, top + 212);
    chevron.lineTo(cx, top + 232);
    chevron.lineTo(cx + 20, top + 212);
    p.setPen(QPen(alpha(kAccent, 60), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevron);
    p.setPen(QPen(alpha(kAccent, 170), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevron);
    p.restore();

    QFont digit = sized(f.pictureBold, 13);
    QFont tiny = sized(f.pictureBold, 9);

    // Buttons 1 and 2: the front of the body left and right of the centre groove.
    for (int b = 0; b < 2; ++b) {
        const QRect& area = s.main[90 + b].rect;
        QPainterPath clip;
        clip.addRect(QRectF(area).adjusted(b == 0 ? -8 : 1, -4, b == 0 ? -1 : 8, -2));
        const QPainterPath shape = body.intersected(clip);
        const ButtonLook look = mouseButtonLook(state, area);
        p.setPen(QPen(look.border, 1.2));
        p.setBrush(look.fill);
        p.drawPath(shape);
        drawDigits(p, digit, QRectF(area.x(), area.y() + 50, area.width(), 24),
                   QString::number(b + 1), look.digit);
    }

    // Small buttons: wheel, DPI down/up, side buttons, fire key.
    struct Small {
        int button;
        QRectF shape;
        qreal radius;
    };
    const Small smalls[] = {
        {3, QRectF(cx - 7, top + 20, 14, 44), 6},   {6, QRectF(cx - 7, top + 96, 14, 15), 3},
        {7, QRectF(cx - 7, top + 74, 14, 15), 3},   {4, QRectF(cx - 80, top + 133, 16, 30), 5},
        {5, QRectF(cx - 80, top + 171, 16, 30), 5}, {8, QRectF(cx - 47, top + 127, 16, 28), 5},
    };
    for (const Small& sm : smalls) {
        const ButtonLook look = mouseButtonLook(state, sm.shape);
        p.setPen(QPen(look.border, 1.2));
        p.setBrush(look.fill);
        p.drawRoundedRect(sm.shape, sm.radius, sm.radius);
        if (sm.button == 3) {
            p.setPen(QPen(alpha(QColor(0, 0, 0), 90), 1));
            for (qreal y = sm.shape.top() + 5; y < sm.shape.bottom() - 3; y += 4)
                if (y < sm.shape.center().y() - 7 || y > sm.shape.center().y() + 7)
                    p.drawLine(QPointF(sm.shape.left() + 3, y), QPointF(sm.shape.right() - 3, y));
        }
        drawDigits(p, tiny, sm.shape.adjusted(-2, 0, 2, 0), QString::number(sm.button), look.digit);
    }
    // Centre groove ends where the front buttons end.
    p.setPen(QPen(QColor(0x0c, 0x0e, 0x12), 1));
    p.drawLine(QPointF(cx - 63, top + 114.5), QPointF(cx - 12, top + 114.5));
    p.drawLine(QPointF(cx + 12, top + 114.5), QPointF(cx + 63, top + 114.5));
}

// The light preview: the mouse with its light zones in the given colour.
void drawLightPreview(QPainter& p, const Skin& s, QColor light) {
    const QRect area = s.color[11].rect;
    const qreal scale = 1.05;
    const qreal cx = area.center().x() + 0.5;
    const qreal top = area.y() + 10;
    const QPainterPath body = mouseBody(cx, top, scale);
    p.setRenderHint(QPainter::Antialiasing);
    const bool lit = light.isValid();
    const QColor zone = lit ? light : QColor(0x4a, 0x50, 0x5b);

    if (lit) {
        // Light falling on the desk around the mouse.
        // An ellipse that fades out inside the indicator's rectangle, so the
        // copied rectangle shows no edge.
        p.save();
        p.translate(QRectF(area).center());
        p.scale(1.0, 1.6);
        const qreal radius = area.width() / 2.0 - 2;
        QRadialGradient halo(QPointF(0, 0), radius);
        halo.setColorAt(0, alpha(light, 70));
        halo.setColorAt(0.6, alpha(light, 22));
        halo.setColorAt(1, alpha(light, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(QPointF(0, 0), radius, radius);
        p.restore();
    }
    fillBody(p, body, cx, top, scale);

    auto pt = [&](qreal x, qreal y) { return QPointF(cx + x * scale, top + y * scale); };
    // Front button split and groove.
    p.setPen(QPen(QColor(0x0c, 0x0e, 0x12), 1.2));
    p.drawLine(pt(0, 0), pt(0, 118));
    p.drawLine(pt(-62, 118), pt(62, 118));

    auto glowStroke = [&](const QPainterPath& path, qreal width) {
        if (lit) {
            for (int k = 4; k >= 1; --k) {
                p.setPen(QPen(alpha(zone, 26), width + k * 4, Qt::SolidLine, Qt::RoundCap,
                              Qt::RoundJoin));
                p.drawPath(path);
            }
        }
        p.setPen(QPen(zone, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        if (lit) {
            p.setPen(
                QPen(alpha(QColor(255, 255, 255), 150), width / 3, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(path);
        }
    };
    p.setBrush(Qt::NoBrush);
    // Side light strips along the flanks.
    for (int side : {-1, 1}) {
        QPainterPath strip;
        strip.moveTo(pt(side * 58, 70));
        strip.cubicTo(pt(side * 61, 120), pt(side * 63, 170), pt(side * 64, 215));
        glowStroke(strip, 3.5);
    }
    // Wheel.
    const QRectF wheel(pt(-7, 24), pt(7, 74));
    if (lit) {
        p.setPen(Qt::NoPen);
        p.setBrush(alpha(zone, 60));
        p.drawRoundedRect(wheel.adjusted(-4, -4, 4, 4), 9, 9);
    }
    p.setPen(QPen(lit ? zone.lighter(130) : QColor(0x55, 0x5c, 0x68), 1.2));
    p.setBrush(QColor(0x1c, 0x20, 0x28));
    p.drawRoundedRect(wheel, 6, 6);
    p.setPen(QPen(alpha(zone, lit ? 200 : 120), 1));
    for (qreal y = wheel.top() + 6; y < wheel.bottom() - 4; y += 5)
        p.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
    // Logo on the palm: a chevron in a hexagon.
    QPolygonF hex;
    for (int k = 0; k < 6; ++k) {
        const double a = M_PI / 6 + k * M_PI / 3;
        hex << QPointF(cx + 20 * scale * std::cos(a), top + 200 * scale + 20 * scale * std::sin(a));
    }
    QPainterPath logo;
    logo.addPolygon(hex);
    logo.closeSubpath();
    glowStroke(logo, 2.5);
    QPainterPath chevron;
    chevron.moveTo(pt(-9, 194));
    chevron.lineTo(pt(0, 204));
    chevron.lineTo(pt(9, 194));
    glowStroke(chevron, 2.5);
}

// ---- rows -----------------------------------------------------------------------

void drawRadio(QPainter& p, const QRect& r, int level, State state) {
    const QPointF c = QRectF(r).center();
    const QColor colour = levelColour(level);
    p.setBrush(Qt::NoBrush);
    switch (state) {
    case State::Normal:
        p.setPen(QPen(alpha(colour, 150), 2));
        p.drawEllipse(c, 8.5, 8.5);
        break;
    case State::Over:
        p.setPen(Qt::NoPen);
        p.setBrush(alpha(colour, 50));
        p.drawEllipse(c, 8.5, 8.5);
        p.setPen(QPen(colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 8.5, 8.5);
        break;
    case State::Down:
        p.setPen(QPen(alpha(colour, 60), 4));
        p.drawEllipse(c, 11, 11);
        p.setPen(QPen(colour, 2));
        p.drawEllipse(c, 8.5, 8.5);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c, 5, 5);
        break;
    }
}

void drawTrack(QPainter& p, const QRect& r) {
    const qreal cy = r.y() + r.height() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x31, 0x3c));
    p.drawRect(QRectF(r.x(), cy - 2, r.width(), 4));
    p.setBrush(QColor(0x44, 0x4d, 0x5c));
    p.drawEllipse(QPointF(r.x() + r.width() / 2.0, cy), 3, 3);
}

void drawKnob(QPainter& p, const QRectF& r) {
    const QPointF c = r.center();
    const QRectF knob(c.x() - 7, c.y() - 9, 14, 18);
    p.setPen(QPen(alpha(kAccent, 60), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(knob.adjusted(-1, -1, 1, 1), 5, 5);
    QLinearGradient g(knob.topLeft(), knob.bottomLeft());
    g.setColorAt(0, QColor(0x7c, 0xe8, 0xff));
    g.setColorAt(1, QColor(0x00, 0x9c, 0xcc));
    p.setPen(QPen(QColor(0xc6, 0xf5, 0xff), 1));
    p.setBrush(g);
    p.drawRoundedRect(knob, 4, 4);
    p.setPen(QPen(QColor(0x05, 0x3a, 0x4a), 1.2));
    p.drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
}

void drawSwitch(QPainter& p, const QRect& r, State state) {
    const QRectF track(r.x() + 8, r.y() + (r.height() - 16) / 2.0, 28, 16);
    QColor trackColour = state == State::Down   ? QColor(0x00, 0x6d, 0x8c)
                         : state == State::Over ? QColor(0x35, 0x3d, 0x4b)
                                                : QColor(0x29, 0x2f, 0x3a);
    p.setPen(QPen(state == State::Down ? kAccent : QColor(0x3a, 0x42, 0x50), 1));
    p.setBrush(trackColour);
    p.drawRoundedRect(track, 8, 8);
    const qreal tx = state == State::Down ? track.right() - 8 : track.left() + 8;
    const QColor thumb = state == State::Down   ? QColor(0xe9, 0xfb, 0xff)
                         : state == State::Over ? QColor(0xa5, 0xae, 0xbd)
                                                : QColor(0x70, 0x79, 0x89);
    p.setPen(Qt::NoPen);
    p.setBrush(thumb);
    p.drawEllipse(QPointF(tx, track.center().y()), 5.5, 5.5);
}

void drawControlBox(QPainter& p, const QRect& r, State state, qreal cut) {
    const QPainterPath path = cutRect(inner(r), cut);
    switch (state) {
    case State::Normal: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x22, 0x27, 0x31));
        g.setColorAt(1, kControl);
        framed(p, path, g, kControlBorder);
        break;
    }
    case State::Over: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x2c, 0x34, 0x41));
        g.setColorAt(1, kControlHover);
        framed(p, path, g, alpha(kAccent, 170));
        break;
    }
    case State::Down: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x0e, 0x45, 0x57));
        g.setColorAt(1, kAccentDeep);
        framed(p, path, g, kAccent);
        break;
    }
    }
}

QColor iconColour(State state) {
    return state == State::Down ? kAccent : state == State::Over ? kBright : kMuted;
}

void drawRow(QPainter& p, const Row& row, State state, const Fonts& fonts) {
    const QRect& r = row.rect;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    switch (row.look) {
    case Look::Unused:
    case Look::Anchor:
    case Look::Label:
    case Look::Indicator:
    case Look::MouseButton:
        break;
    case Look::Heading: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x1d, 0x23, 0x2d));
        g.setColorAt(1, QColor(0x17, 0x1b, 0x23));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(cutRect(QRectF(r).adjusted(1, 1, -1, 0), 9));
        p.setPen(QPen(kPanelBorder, 1));
        p.drawLine(QPointF(r.left() + 1, r.bottom() + 0.5), QPointF(r.right(), r.bottom() + 0.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRect(QRectF(r.left() + 12, r.top() + 8, 3, r.height() - 15));
        break;
    }
    case Look::Button:
    case Look::Stepper:
        drawControlBox(p, r, state, row.look == Look::Stepper ? 4 : 6);
        if (row.icon != Icon::None) {
            const QColor c =
                row.icon == Icon::Record
                    ? (state == State::Normal ? QColor(0xe0, 0x3a, 0x48) : QColor(0xff, 0x4d, 0x5c))
                    : iconColour(state);
            const QRectF box =
                row.icon == Icon::Record ? QRectF(r.x() + 6, r.y(), 20, r.height()) : QRectF(r);
            drawIcon(p, row.icon, box, c);
        }
        break;
    case Look::Primary: {
        const QPainterPath path = cutRect(inner(r), 9);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        if (state == State::Down) {
            g.setColorAt(0, QColor(0x00, 0x4e, 0x6a));
            g.setColorAt(1, QColor(0x00, 0x64, 0x86));
        } else if (state == State::Over) {
            g.setColorAt(0, QColor(0x00, 0x94, 0xc4));
            g.setColorAt(1, QColor(0x00, 0x74, 0x9c));
        } else {
            g.setColorAt(0, QColor(0x00, 0x7c, 0xa8));
            g.setColorAt(1, QColor(0x00, 0x5c, 0x7e));
        }
        framed(p, path, g,
               state == State::Normal ? QColor(0x1f, 0xb5, 0xe6) : QColor(0x8a, 0xe6, 0xff));
        p.setPen(QPen(alpha(QColor(255, 255, 255), state == State::Down ? 20 : 45), 1));
        p.drawLine(QPointF(r.left() + 10, r.top() + 1.5), QPointF(r.right() - 1, r.top() + 1.5));
        break;
    }
    case Look::IconButton:
    case Look::CloseButton: {
        if (state != State::Normal) {
            QColor fill = row.look == Look::CloseButton
                              ? (state == State::Over ? kDanger : QColor(0x8a, 0x1f, 0x29))
                              : (state == State::Over ? QColor(0x25, 0x2b, 0x36) : kAccentDeep);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(QRectF(r), 4, 4);
        }
        QColor c = iconColour(state);
        if (row.look == Look::CloseButton && state != State::Normal)
            c = Qt::white;
        drawIcon(p, row.icon, QRectF(r), c);
        break;
    }
    case Look::PageTab: {
        const QRectF rf(r);
        if (state == State::Over) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x19, 0x1e, 0x27));
            p.drawPath(cutRect(rf, 8));
            p.setBrush(alpha(kAccent, 110));
            p.drawRect(QRectF(rf.left() + 8, rf.bottom() - 2, rf.width() - 16, 2));
        } else if (state == State::Down) {
            QLinearGradient g(rf.topLeft(), rf.bottomLeft());
            g.setColorAt(0, alpha(kAccent, 10));
            g.setColorAt(1, alpha(kAccent, 70));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x13, 0x1a, 0x22));
            p.drawPath(cutRect(rf, 8));
            p.setBrush(g);
            p.drawPath(cutRect(rf, 8));
            p.setBrush(kAccent);
            p.drawRect(QRectF(rf.left(), rf.bottom() - 3, rf.width() - 8, 3));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2a, 0x31, 0x3d));
            p.drawRect(QRectF(rf.left() + 8, rf.bottom() - 1, rf.width() - 16, 1));
        }
        break;
    }
    case Look::ProfileTab:
        drawControlBox(p, r, state, 5);
        if (state == State::Down) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawRect(QRectF(r.left() + 8, r.bottom() - 1.5, r.width() - 16, 2));
        }
        break;
    case Look::Segment:
        drawControlBox(p, r, state, 0);
        break;
    case Look::LightMode: {
        drawControlBox(p, r, state, 8);
        drawIcon(p, row.icon, QRectF(r.x() + 12, r.y(), 30, r.height()), iconColour(state));
        if (state == State::Down) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawRect(QRectF(r.right() - 5, r.top() + 10, 3, r.height() - 19));
        }
        break;
    }
    case Look::FunctionLabel: {
        drawControlBox(p, r, state, 6);
        // Chevron: the label opens a menu.
        const qreal x = r.right() - 14, y = r.center().y() + 1;
        p.setPen(QPen(iconColour(state), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(x - 4, y - 2), QPointF(x, y + 2));
        p.drawLine(QPointF(x, y + 2), QPointF(x + 4, y - 2));
        break;
    }
    case Look::Toggle:
        if (state == State::Over) {
            p.setPen(Qt::NoPen);
            p.setBrush(alpha(QColor(255, 255, 255), 12));
            p.drawRoundedRect(QRectF(r), 4, 4);
        }
        drawSwitch(p, r, state);
        break;
    case Look::Radio:
        drawRadio(p, r, row.arg, state);
        break;
    case Look::DpiStep:
        drawTrack(p, r);
        if (state != State::Normal) {
            const QPointF c = QRectF(r).center();
            p.setPen(QPen(state == State::Down ? kAccent : alpha(kAccent, 150), 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(c.x() - 7, c.y() - 9, 14, 18), 4, 4);
        }
        break;
    case Look::SpeedStep: {
        const QRectF rf = inner(r);
        QColor digit = kMuted;
        if (state == State::Down) {
            QLinearGradient g(rf.topLeft(), rf.bottomLeft());
            g.setColorAt(0, QColor(0x5c, 0xe1, 0xff));
            g.setColorAt(1, QColor(0x00, 0xa4, 0xd4));
            p.setPen(QPen(QColor(0xb8, 0xf2, 0xff), 1));
            p.setBrush(g);
            digit = QColor(0x04, 0x14, 0x1a);
        } else {
            p.setPen(QPen(state == State::Over ? alpha(kAccent, 180) : kControlBorder, 1));
            p.setBrush(state == State::Over ? kControlHover : kControl);
            if (state == State::Over)
                digit = kBright;
        }
        p.drawRoundedRect(rf, 3, 3);
        drawDigits(p, sized(fonts.pictureBold, 10), QRectF(r), QString::number(row.arg), digit);
        break;
    }
    case Look::FireBar: {
        const QRectF rf = inner(r);
        if (state == State::Down) {
            QLinearGradient g(rf.topLeft(), rf.topRight());
            g.setColorAt(0, QColor(0x00, 0x6a, 0x96));
            g.setColorAt(1, QColor(0x26, 0xdc, 0xff));
            p.setPen(QPen(kAccent, 1));
            p.setBrush(g);
            p.drawRoundedRect(rf, 3, 3);
            p.setPen(QPen(alpha(QColor(255, 255, 255), 80), 1));
            p.drawLine(QPointF(rf.left() + 3, rf.top() + 2), QPointF(rf.right() - 3, rf.top() + 2));
        } else {
            p.setPen(QPen(state == State::Over ? alpha(kAccent, 180) : kControlBorder, 1));
            p.setBrush(kInset);
            p.drawRoundedRect(rf, 3, 3);
        }
        break;
    }
    case Look::Value:
        p.setPen(QPen(kPanelBorder, 1));
        p.setBrush(kInset);
        p.drawRoundedRect(inner(r), 3, 3);
        if (row.reserveRight > 0)
            drawDigits(
                p, sized(fonts.pictureBold, 12),
                QRectF(r.right() - row.reserveRight, r.y(), row.reserveRight - 8, r.height()),
                QStringLiteral("DPI"), kDim);
        break;
    case Look::Frame:
        p.setPen(QPen(QColor(0x2e, 0x36, 0x44), 1));
        p.setBrush(kInset);
        p.drawRect(QRectF(r).adjusted(-1.5, -1.5, 1.5, 1.5));
        // Lists get faint row stripes: the area reads as a list even before
        // the control covering it has anything to show.
        if (r.height() > 60) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x11, 0x15, 0x1b));
            for (int y = r.y() + 20; y + 20 <= r.bottom() + 1; y += 40)
                p.drawRect(QRect(r.x(), y, r.width(), 20));
        }
        break;
    }
    p.restore();
}

// ---- the window ------------------------------------------------------------------

void drawPanels(QPainter& p, const Page& page, bool headingBars) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const Panel& panel : page.panels) {
        const QRectF r = inner(panel.rect);
        p.setPen(QPen(kPanelBorder, 1));
        p.setBrush(kPanel);
        p.drawPath(cutRect(r, 10));
        if (headingBars) {
            Row bar;
            bar.rect = QRect(panel.rect.x(), panel.rect.y(), panel.rect.width(), 26);
            bar.look = Look::Heading;
            drawRow(p, bar, State::Normal, Fonts{});
        }
    }
    p.restore();
}

void drawWindow(QPainter& p, const Skin& s, const Fonts& f, State state) {
    const int w = s.window.width(), h = s.window.height();
    p.fillRect(QRect(0, 0, w, h), kBodyBottom);
    QPainterPath outline;
    outline.addPolygon(QPolygonF(s.outline));
    outline.closeSubpath();

    p.save();
    p.setClipPath(outline);
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0, kBodyTop);
    body.setColorAt(1, kBodyBottom);
    p.fillRect(QRect(0, 0, w, h), body);
    // Faint diagonal texture in the content area.
    p.setPen(QPen(QColor(255, 255, 255, 5), 1));
    for (int x = -h; x < w; x += 6)
        p.drawLine(x, 100, x + 450, 550);

    // Top bar with the title plate.
    QLinearGradient top(0, 0, 0, 52);
    top.setColorAt(0, QColor(0x1c, 0x21, 0x2a));
    top.setColorAt(1, QColor(0x12, 0x15, 0x1b));
    p.fillRect(QRect(0, 0, w, 52), top);
    p.fillRect(QRect(0, 52, w, 48), kBar);
    p.fillRect(QRect(0, 52, w, 1), QColor(0x23, 0x29, 0x35));
    p.fillRect(QRect(0, 99, w, 1), QColor(0x20, 0x26, 0x31));
    p.fillRect(QRect(0, 548, w, h - 548), kBar);
    p.fillRect(QRect(0, 548, w, 1), QColor(0x20, 0x26, 0x31));
    p.setRenderHint(QPainter::Antialiasing);
    // The title plate and its accent line.
    QLinearGradient plateLine(276, 0, 524, 0);
    plateLine.setColorAt(0, alpha(kAccent, 0));
    plateLine.setColorAt(0.5, kAccent);
    plateLine.setColorAt(1, alpha(kAccent, 0));
    p.setPen(QPen(QBrush(plateLine), 2));
    p.drawLine(QPointF(320, 43), QPointF(480, 43));
    p.setPen(QPen(alpha(kAccent, 90), 1));
    p.drawLine(QPointF(277, 1.5), QPointF(523, 1.5));

    // Emblem: a hexagon with a chevron.
    QPolygonF hex;
    for (int k = 0; k < 6; ++k) {
        const double a = M_PI / 6 + k * M_PI / 3;
        hex << QPointF(40 + 13 * std::cos(a), 30 + 13 * std::sin(a));
    }
    p.setPen(QPen(kAccent, 2));
    p.setBrush(alpha(kAccent, 30));
    p.drawPolygon(hex);
    p.setPen(QPen(kBright, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(33, 26), QPointF(40, 34), QPointF(47, 26)}));

    // Status strip.
    const QRectF strip(20.5, 102.5, 759, 21);
    p.setPen(QPen(QColor(0x1f, 0x25, 0x30), 1));
    p.setBrush(kInset);
    p.drawRoundedRect(strip, 3, 3);
    p.setPen(QPen(alpha(kAccent, 200), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(34, 113), 5.5, 5.5);
    p.drawLine(QPointF(34, 111), QPointF(34, 116));
    p.drawPoint(QPointF(34, 109));
    p.restore();

    // The edge of the window and accents on its chamfers.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(outline);
    p.setPen(QPen(kEdge, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.setPen(QPen(kAccent, 3));
    p.drawLine(QPointF(1.5, 29), QPointF(19, 11.5));
    p.drawLine(QPointF(w - 1.5, h - 19), QPointF(w - 19, h - 1.5));
    p.restore();

    for (int i = 0; i < 20; ++i)
        drawRow(p, s.main[static_cast<size_t>(i)], state, f);
}

void drawBadge(QPainter& p, const QRect& label, int number, const Fonts& f) {
    const QRectF box(label.x() - 32, label.y() + 2, 26, label.height() - 4);
    QPolygonF hex;
    const QPointF c = box.center();
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3;
        hex << QPointF(c.x() + 13 * std::cos(a), c.y() + 12 * std::sin(a));
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(alpha(kAccent, 150), 1.2));
    p.setBrush(QColor(0x10, 0x2a, 0x34));
    p.drawPolygon(hex);
    drawDigits(p, sized(f.pictureBold, 12), box, QString::number(number), kBright);
    p.restore();
}

} // namespace

QImage Painter::mainMask() const {
    QImage img(skin_.window, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(skin_.outline);
    return img;
}

QImage Painter::mainPage(State state) const {
    QImage img(skin_.window, QImage::Format_RGB32);
    QPainter p(&img);
    drawWindow(p, skin_, fonts_, state);
    drawPanels(p, skin_.mainPage, true);
    p.setRenderHint(QPainter::Antialiasing);
    // DPI level cards with their level colour on the left edge and the DPI
    // value under each position of the track.
    for (int j = 0; j < 4; ++j) {
        const int top = 164 + 94 * j;
        const QRect card(482, top, 290, 88);
        p.setPen(QPen(QColor(0x25, 0x2b, 0x37), 1));
        p.setBrush(kCard);
        p.drawPath(cutRect(inner(card), 7));
        p.setPen(Qt::NoPen);
        p.setBrush(levelColour(j));
        p.drawRect(QRectF(card.x() + 1, card.y() + 12, 3, card.height() - 24));
        p.setFont(sized(fonts_.pictureBold, 10));
        for (int slot = 0; slot < 5; ++slot) {
            const int step = Skin::kTrackOrder[static_cast<size_t>(slot)];
            const QRect& r = skin_.main[static_cast<size_t>(60 + 5 * j + step)].rect;
            p.setPen(kMuted);
            p.drawText(QRectF(r.x(), r.bottom() + 2, r.width(), 16), Qt::AlignCenter,
                       QString::number(Skin::kStepDpi[static_cast<size_t>(step)]));
        }
    }
    for (int b = 0; b < 8; ++b)
        drawBadge(p, skin_.main[static_cast<size_t>(25 + b)].rect, b + 1, fonts_);
    drawMouse(p, skin_, fonts_, state);
    for (int i = 20; i < 90; ++i)
        drawRow(p, skin_.main[static_cast<size_t>(i)], state, fonts_);
    return img;
}

QImage Painter::colorPage(State state, QColor light) const {
    QImage img(skin_.window, QImage::Format_RGB32);
    QPainter p(&img);
    drawWindow(p, skin_, fonts_, state);
    drawPanels(p, skin_.colorPage, false);
    drawLightPreview(p, skin_, light);
    // Legend of the level colours under the preview.
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(sized(fonts_.pictureBold, 11));
    for (int j = 0; j < 4; ++j) {
        const qreal x = 40 + 88 * j;
        p.setPen(Qt::NoPen);
        p.setBrush(levelColour(j));
        p.drawEllipse(QPointF(x + 6, 528), 5, 5);
        p.setPen(kMuted);
        p.drawText(QRectF(x + 16, 520, 64, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("DPI %1").arg(j + 1));
    }
    for (const Row& row : skin_.color)
        drawRow(p, row, state, fonts_);
    return img;
}

QImage Painter::advancePage(State state) const {
    QImage img(skin_.window, QImage::Format_RGB32);
    QPainter p(&img);
    drawWindow(p, skin_, fonts_, state);
    drawPanels(p, skin_.advancePage, false);
    for (const Row* frame :
         {&skin_.macroList, &skin_.nameEdit, &skin_.repeatEdit, &skin_.eventList})
        drawRow(p, *frame, state, fonts_);
    // Scale ends of the two speed rows.
    for (const Row& row : skin_.advance)
        drawRow(p, row, state, fonts_);
    return img;
}

QImage Painter::slider() const {
    QImage img(skin_.slider, QImage::Format_RGB32);
    img.fill(kCard);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawTrack(p, QRect(QPoint(0, 0), skin_.slider));
    drawKnob(p, QRectF(QPointF(0, 0), QSizeF(skin_.slider)));
    return img;
}

QImage Painter::menu(bool second, State state) const {
    const QSize size = second ? skin_.subMenu : skin_.menu;
    const int bands = second ? 12 : 10;
    const int band = skin_.menuBand;
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(0x13, 0x16, 0x1d));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < bands; ++i) {
        const QRectF r(0, i * band, size.width(), band);
        if (state != State::Normal) {
            p.setPen(Qt::NoPen);
            p.setBrush(state == State::Over ? QColor(0x25, 0x2c, 0x38) : kAccentDeep);
            p.drawRect(r.adjusted(1, 1, -1, 0));
            p.setBrush(kAccent);
            p.drawRect(QRectF(1, r.top() + 5, 3, band - 9));
        }
        if (i > 0) {
            p.setPen(QPen(QColor(0x21, 0x27, 0x31), 1));
            p.drawLine(QPointF(10, r.top() + 0.5), QPointF(size.width() - 10, r.top() + 0.5));
        }
        // Items 7..10 of the top menu open a second menu.
        if (!second && i >= 6) {
            const qreal x = size.width() - 14, y = r.center().y();
            p.setPen(
                QPen(state == State::Normal ? kMuted : kAccent, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x - 2, y - 4), QPointF(x + 2, y));
            p.drawLine(QPointF(x + 2, y), QPointF(x - 2, y + 4));
        }
    }
    p.setPen(QPen(kEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return img;
}

QImage Painter::warningMask() const {
    QImage img(skin_.warning, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(skin_.warningOutline);
    return img;
}

QImage Painter::warning(State state) const {
    QImage img(skin_.warning, QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    img.fill(kBodyBottom);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addPolygon(QPolygonF(skin_.warningOutline));
    outline.closeSubpath();
    p.setClipPath(outline);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0x1c, 0x1a, 0x20));
    g.setColorAt(1, QColor(0x0e, 0x0f, 0x13));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(0x3a, 0x2a, 0x30), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.setPen(QPen(kDanger, 3));
    p.drawLine(QPointF(16, 0), QPointF(w - 16, 0));
    // Warning sign.
    const QPointF c(w / 2.0, 40);
    QPolygonF triangle({QPointF(c.x(), c.y() - 20), QPointF(c.x() + 22, c.y() + 18),
                        QPointF(c.x() - 22, c.y() + 18)});
    p.setPen(QPen(QColor(0xff, 0x4d, 0x5c), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x3a, 0x14, 0x1a));
    p.drawPolygon(triangle);
    p.setPen(QPen(QColor(0xff, 0xd0, 0xd4), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() + 6));
    p.drawPoint(QPointF(c.x(), c.y() + 12));
    p.setClipping(false);
    for (int k = 0; k < 2; ++k) {
        const QRect& r = skin_.warningRows[static_cast<size_t>(k)].rect;
        const QPainterPath path = cutRect(inner(r), 6);
        if (state == State::Over)
            framed(p, path, QColor(0x3a, 0x1a, 0x20), QColor(0xff, 0x4d, 0x5c));
        else
            framed(p, path, QColor(0x22, 0x22, 0x29), QColor(0x44, 0x3a, 0x42));
    }
    return img;
}

} // namespace skin
