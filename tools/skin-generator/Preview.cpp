#include "Preview.h"

#include <QFontMetrics>
#include <QPainter>

namespace skin {

namespace {

void copyRow(QPainter& p, const QImage& from, const QRect& r) {
    p.drawImage(r.topLeft(), from, r);
}

void text(QPainter& p, const QRect& r, const QString& t, const QColor& c,
          bool leftAligned = false) {
    const QFontMetrics fm(p.font());
    const int x = leftAligned ? r.x() + 5 : r.x() + (r.width() - fm.horizontalAdvance(t)) / 2;
    const int y = r.y() + (r.height() - fm.height()) / 2;
    p.setPen(c);
    p.drawText(QPoint(x, y + fm.ascent()), t);
}

} // namespace

namespace {

// Page 3: the warning dialog; page 4: the top menu with the second menu beside it.
QImage previewPopups(const Skin& s, const Fonts& fonts, const QString& dir, int page, bool english,
                     int hover) {
    auto load = [&](const QString& n) {
        return QImage(dir + QLatin1Char('/') + n).convertToFormat(QImage::Format_RGB32);
    };
    QFont font = english ? fonts.main : fonts.han;
    if (page == 3) {
        QImage img = load(QStringLiteral("warning_normal.jpg"));
        const QImage over = load(QStringLiteral("warning_over.jpg"));
        QPainter p(&img);
        if (hover == 0 || hover == 1)
            copyRow(p, over, s.warningRows[static_cast<size_t>(hover)].rect);
        p.setFont(font);
        for (const Row& r : s.warningRows)
            text(p, r.rect, english ? r.en : r.cn, Qt::red);
        return img;
    }
    const auto& fun = english ? s.funEn : s.funCn;
    QImage top = load(QStringLiteral("menu_normal.jpg"));
    QImage sub = load(QStringLiteral("advanced menu_normal.jpg"));
    const int band = s.menuBand;
    QImage img(top.width() + sub.width(), sub.height(), QImage::Format_RGB32);
    img.fill(0xff3b4656);
    QPainter p(&img);
    QPainter pt(&top);
    pt.setFont(font);
    const QImage topOver = load(QStringLiteral("menu_over.jpg"));
    copyRow(pt, topOver, QRect(0, 9 * band, top.width(), band));
    for (int i = 1; i <= 10; ++i)
        text(pt, QRect(0, (i - 1) * band, top.width(), band), fun[static_cast<size_t>(i)],
             i == 10 ? Qt::red : Qt::white);
    pt.end();
    QPainter ps(&sub);
    ps.setFont(font);
    const QImage subOver = load(QStringLiteral("advanced menu_over.jpg"));
    copyRow(ps, subOver, QRect(0, 2 * band, sub.width(), band));
    for (int d = 1; d <= 10; ++d)
        text(ps, QRect(0, (d - 1) * band, sub.width(), band), fun[static_cast<size_t>(30 + d)],
             d == 3 ? Qt::red : Qt::white);
    ps.end();
    // Item 10's second menu opens level with the top menu's top.
    p.drawImage(0, 0, top, 0, 0, top.width(), 10 * band + 1);
    p.drawImage(top.width(), 0, sub, 0, 0, sub.width(), 10 * band + 1);
    return img;
}

} // namespace

QImage preview(const Skin& s, const Fonts& fonts, const QString& dir, int page, bool english,
               int hover) {
    if (page >= 3)
        return previewPopups(s, fonts, dir, page, english, hover);
    const char* names[3][3] = {{"main_normal", "main_over", "main_down"},
                               {"advanced_normal", "advanced_over", "advanced_down"},
                               {"color_normal_pink", "color_over_red", "color_down_purple"}};
    auto load = [&](const char* n) {
        return QImage(dir + QLatin1Char('/') + QLatin1String(n) + QStringLiteral(".jpg"));
    };
    QImage normal = load(names[page][0]).convertToFormat(QImage::Format_RGB32);
    const QImage over = load(names[page][1]);
    const QImage down = load(names[page][2]);
    QPainter p(&normal);
    const int profile = 1;
    const int dpiLevel = 1;
    const int dpiSet[4] = {1, 2, 4, 0};
    const bool enabled[4] = {true, true, true, false};
    if (page == 0) {
        if (hover >= 0)
            copyRow(p, over, s.main[static_cast<size_t>(hover)].rect);
        copyRow(p, down, s.main[static_cast<size_t>(80 + dpiLevel)].rect);
        const QImage knob(dir + QStringLiteral("/dpi_slider.jpg"));
        for (int j = 0; j < 4; ++j) {
            const QRect& r = s.main[static_cast<size_t>(60 + 5 * j + dpiSet[j])].rect;
            p.drawImage(r.topLeft(), knob, QRect(0, 0, r.width(), r.height()));
            if (enabled[j])
                copyRow(p, down, s.main[static_cast<size_t>(46 + j)].rect);
        }
        copyRow(p, down, s.main[41].rect);
        if (hover >= 25 && hover <= 32)
            copyRow(p, over, s.main[static_cast<size_t>(hover + 65)].rect);
    } else if (page == 1) {
        if (hover >= 0)
            copyRow(p, over, s.advance[static_cast<size_t>(hover)].rect);
        copyRow(p, down, s.advance[8 + 4].rect);
        copyRow(p, down, s.advance[18 + 2].rect);
        const QRect& bar = s.advance[30].rect;
        copyRow(p, down, QRect(bar.x(), bar.y(), 50 * bar.width() / 300, bar.height()));
        copyRow(p, down, s.advance[6].rect);
    } else {
        if (hover >= 0)
            copyRow(p, over, s.color[static_cast<size_t>(hover)].rect);
        copyRow(p, down, s.color[0].rect);
    }
    for (int i = 0; i < 20; ++i) {
        if (i == profile + 3 ||
            i == 9 + (page == 0   ? 0
                      : page == 1 ? 1
                                  : 2) ||
            (i == 17 && !english) || (i == 18 && english))
            copyRow(p, down, s.main[static_cast<size_t>(i)].rect);
    }
    p.setFont(english ? fonts.main : fonts.han);
    auto t = [&](const Row& r) { return english ? r.en : r.cn; };
    const auto& fun = english ? s.funEn : s.funCn;
    const int keyFunc[8] = {1, 2, 3, 5, 4, 18, 17, 13};
    for (int i = 0; i < 20; ++i) {
        QString value = t(s.main[static_cast<size_t>(i)]);
        if (i == 1)
            value = english ? QStringLiteral(
                                  "Yapılandırma bitti, yazılımı başlatmak için [6] tuşuna tıklayın")
                            : QStringLiteral("配置完成，请点击鼠标第[6]键运行驱动");
        text(p, s.main[static_cast<size_t>(i)].rect, value,
             i == 1 ? QColor(255, 255, 0) : Qt::white);
    }
    if (page == 0) {
        for (int i = 20; i < 54; ++i) {
            const Row& r = s.main[static_cast<size_t>(i)];
            if (i >= 25 && i <= 32) {
                text(p, r.rect, fun[static_cast<size_t>(keyFunc[i - 25])],
                     i == hover ? Qt::red : Qt::white, true);
                continue;
            }
            QColor c = Qt::white;
            if (i >= 50) {
                p.setFont(english ? fonts.small : fonts.han);
                c = enabled[i - 50] ? QColor(0, 255, 0) : QColor(128, 128, 128);
            }
            text(p, r.rect, t(r), c);
        }
    } else if (page == 1) {
        for (int j = 0; j < 46; ++j)
            text(p, s.advance[static_cast<size_t>(j)].rect, t(s.advance[static_cast<size_t>(j)]),
                 j == hover ? Qt::red : Qt::white);
        p.fillRect(s.macroList.rect, Qt::white);
        p.fillRect(s.eventList.rect, Qt::white);
        p.fillRect(s.nameEdit.rect, Qt::white);
        p.fillRect(s.repeatEdit.rect, Qt::white);
    } else {
        for (int j = 0; j < 13; ++j)
            text(p, s.color[static_cast<size_t>(j)].rect,
                 j == 9 ? QStringLiteral("1600") : t(s.color[static_cast<size_t>(j)]), Qt::white);
    }
    p.end();
    // Outside the mask shows as a checker so the shape is visible.
    const QImage mask(dir + QStringLiteral("/main_mask.jpg"));
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x) {
            const QRgb m = mask.pixel(x, y);
            if (qRed(m) > 100 && qGreen(m) > 100 && qBlue(m) > 100)
                normal.setPixel(x, y, ((x / 8 + y / 8) % 2) ? 0xffd0d0d0 : 0xffffffff);
        }
    return normal;
}

} // namespace skin
