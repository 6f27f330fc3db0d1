#include "Checks.h"

#include <QFontMetrics>

#include <vector>

namespace skin {

namespace {

struct Placed {
    QString what;
    QRect box;
};

class Checker {
public:
    Checker(const Skin& skin, const Fonts& fonts) : skin_(skin), fonts_(fonts) {}

    QStringList run() {
        for (bool english : {true, false}) {
            english_ = english;
            checkTable(QStringLiteral("main"), skin_.main);
            checkTable(QStringLiteral("color"), skin_.color);
            checkTable(QStringLiteral("advance"), skin_.advance);
            checkTable(QStringLiteral("warning"), skin_.warningRows);
            checkReplacedTexts();
            checkLabelsAndMenus();
            checkAnchors();
        }
        return problems_;
    }

private:
    QFont font(bool small) const {
        return english_ ? (small ? fonts_.small : fonts_.main) : fonts_.han;
    }
    QString lang() const { return english_ ? QStringLiteral("EN") : QStringLiteral("CN"); }
    QString textOf(const Row& row) const { return english_ ? row.en : row.cn; }

    void fits(const QString& where, const Row& row, const QString& text) {
        if (text.isEmpty() || row.look == Look::Anchor)
            return;
        const QFontMetrics fm(font(row.smallFont && english_));
        const int tw = fm.horizontalAdvance(text);
        const int th = fm.height();
        const QRect& r = row.rect;
        bool ok = th <= r.height();
        if (row.leftAligned)
            ok = ok && 5 + tw + 2 <= r.width() - row.reserveRight;
        else
            ok = ok && (r.width() - tw) / 2 >= std::max({row.reserveLeft, row.reserveRight, 6});
        if (!ok)
            problems_ << QStringLiteral("%1 %2: \"%3\" (%4 x %5) does not fit %6 x %7")
                             .arg(lang(), where, text)
                             .arg(tw)
                             .arg(th)
                             .arg(r.width())
                             .arg(r.height());
    }

    template <typename Rows> void checkTable(const QString& name, const Rows& rows) {
        int k = 0;
        for (const Row& row : rows) {
            // Labels of buttons take their text from the function; checked below.
            if (!(name == QStringLiteral("main") && k >= 25 && k <= 32))
                fits(QStringLiteral("%1 row %2").arg(name).arg(k), row, textOf(row));
            ++k;
        }
    }

    void checkReplacedTexts() {
        const auto& a = skin_.advance;
        const QStringList record =
            english_ ? QStringList{QStringLiteral("Kaydet"), QStringLiteral("Dur")}
                     : QStringList{QStringLiteral("录制"), QStringLiteral("停止")};
        for (const QString& t : record)
            fits(QStringLiteral("advance row 4"), a[4], t);
        fits(QStringLiteral("advance row 33"), a[33], QStringLiteral("300ms"));
        fits(QStringLiteral("advance row 38"), a[38], QStringLiteral("[↓]254"));
        fits(QStringLiteral("advance row 39"), a[39], QStringLiteral("[↑]254"));
        fits(QStringLiteral("color row 9"), skin_.color[9], QStringLiteral("3200"));
    }

    void checkLabelsAndMenus() {
        const auto& fun = english_ ? skin_.funEn : skin_.funCn;
        const QFontMetrics fm(font(false));
        for (int code = 1; code <= 40; ++code) {
            if (code == 20 || (code >= 27 && code <= 30))
                continue;
            const QString& text = fun[static_cast<size_t>(code)];
            if (code >= 7 && code <= 10) {
                // Category names appear only in the top menu.
            } else {
                fits(QStringLiteral("button label (code %1)").arg(code), skin_.main[25], text);
            }
            const bool top = code <= 10;
            const int width = top ? skin_.menu.width() : skin_.subMenu.width();
            const int margin = (code >= 7 && code <= 10) ? 22 : 8;
            const int tw = fm.horizontalAdvance(text);
            if ((width - tw) / 2 < margin || fm.height() > skin_.menuBand)
                problems_ << QStringLiteral("%1 menu item %2: \"%3\" does not fit")
                                 .arg(lang())
                                 .arg(code)
                                 .arg(text);
        }
    }

    void checkAnchors() {
        // What the pointer or a text occupies on the main page (the only page
        // with anchored texts), header included.
        std::vector<Placed> taken;
        for (int i = 0; i < 100; ++i) {
            const Row& row = skin_.main[static_cast<size_t>(i)];
            if (row.look != Look::Anchor && !row.rect.isEmpty())
                taken.push_back({QStringLiteral("main row %1").arg(i), row.rect});
        }
        const QRect window(QPoint(0, 0), skin_.window);
        for (int i = 0; i < 100; ++i) {
            const Row& row = skin_.main[static_cast<size_t>(i)];
            if (row.look != Look::Anchor)
                continue;
            QStringList texts{textOf(row)};
            if (i == 1)
                texts
                    << (english_
                            ? QStringLiteral(
                                  "Yapılandırma bitti, yazılımı başlatmak için [8] tuşuna tıklayın")
                            : QStringLiteral("配置完成，请点击鼠标第[8]键运行驱动"));
            std::vector<Placed> mine; // one row's texts may share their place
            for (const QString& text : texts) {
                const QFontMetrics fm(font(false));
                const int tw = fm.horizontalAdvance(text), th = fm.height();
                const QRect box(row.rect.x() - tw / 2, row.rect.y() - th / 2, tw, th);
                // The status line stays inside its strip, clear of the icon at its left.
                const QRect bounds =
                    i == 1 ? QRect(44, 102, 732, 22) : window.adjusted(20, 0, -20, 0);
                if (!bounds.contains(box))
                    problems_ << QStringLiteral("%1 main row %2: \"%3\" leaves its area")
                                     .arg(lang())
                                     .arg(i)
                                     .arg(text);
                for (const Placed& p : taken)
                    if (p.box.intersects(box))
                        problems_ << QStringLiteral("%1 main row %2: \"%3\" runs into %4")
                                         .arg(lang())
                                         .arg(i)
                                         .arg(text, p.what);
                mine.push_back({QStringLiteral("main row %1").arg(i), box});
            }
            taken.insert(taken.end(), mine.begin(), mine.end());
        }
    }

    const Skin& skin_;
    const Fonts& fonts_;
    bool english_ = true;
    QStringList problems_;
};

} // namespace

QStringList checkTexts(const Skin& skin, const Fonts& fonts) {
    return Checker(skin, fonts).run();
}

} // namespace skin
