// The generated skin: runs the skin generator into a fresh folder and checks
// that the pictures and the layout rows agree with each other and with what
// the program expects of them.

#include "platform/ini/IniFile.h"
#include "tests/tools/RunSkinGenerator.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <set>

namespace {

const char* const kPictures[] = {
    "main_mask.jpg",
    "main_normal.jpg",
    "main_over.jpg",
    "main_down.jpg",
    "advanced_normal.jpg",
    "advanced_over.jpg",
    "advanced_down.jpg",
    "color_normal_pink.jpg",
    "color_over_red.jpg",
    "color_down_purple.jpg",
    "color_normal_gray.jpg",
    "color_over_blue.jpg",
    "dpi_slider.jpg",
    "menu_mask.jpg",
    "menu_normal.jpg",
    "menu_over.jpg",
    "menu_down.jpg",
    "advanced menu_mask.jpg",
    "advanced menu_normal.jpg",
    "advanced menu_over.jpg",
    "advanced menu_down.jpg",
    "warning_mask.bmp",
    "warning_normal.jpg",
    "warning_over.jpg",
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
    bool overlaps(const Rect& o) const {
        return !empty() && !o.empty() && x < o.x + o.w && o.x < x + w && y < o.y + o.h &&
               o.y < y + h;
    }
    bool contains(const Rect& o) const {
        return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h;
    }
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

struct Row {
    QStringList fields;
    Rect rect;
    QString text() const { return fields.value(5); }
};

bool transparent(QRgb p) {
    return qRed(p) > 100 && qGreen(p) > 100 && qBlue(p) > 100;
}

class GeneratedSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_skin_generator";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        // A file the generator does not make must survive it (the delivered macros).
        QDir().mkpath(dir_->path() + "/INI_EN");
        QFile keep(dir_->path() + "/INI_EN/defMacro.dat");
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
        keep.write("[Macros]\r\n");
        keep.close();

        const vux::test::GeneratorRun run = vux::test::runSkinGenerator(dir_->path());
        exitCode_ = run.exitCode;
        output_ = run.errors;
    }
    static void TearDownTestSuite() {
        dir_.reset();
        app_.reset();
    }

    void SetUp() override { ASSERT_EQ(exitCode_, 0) << output_.toStdString(); }

    static QString path(const QString& name) { return dir_->path() + "/" + name; }
    static QImage picture(const char* name) { return QImage(path(QString::fromLatin1(name))); }

    static QString layout(const QString& base, bool english) {
        return path(english ? "INI_EN/" + base + "_en.ini" : "INI_CN/" + base + ".ini");
    }

    // Reads one row with the program's INI reader (260-character buffer) and
    // splits it the way the program does for a well-formed row.
    static Row row(const QString& file, const QString& section, int key) {
        const QString value = vux::ini::readString(file, section, QString::number(key), 260);
        Row r;
        r.fields = value.split(',');
        if (r.fields.size() >= 5)
            r.rect = {vux::ini::wtoi(r.fields[1]), vux::ini::wtoi(r.fields[2]),
                      vux::ini::wtoi(r.fields[3]), vux::ini::wtoi(r.fields[4])};
        return r;
    }

    static std::vector<Row> rows(const QString& base, int count, bool english) {
        std::vector<Row> out;
        for (int k = 0; k < count; ++k)
            out.push_back(row(layout(base, english), "BUTTONPOS", k));
        return out;
    }

    static inline std::unique_ptr<QCoreApplication> app_;
    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline int exitCode_ = -1;
    static inline QByteArray output_;
};

TEST_F(GeneratedSkin, EveryPictureExistsWithTheSizeItsUsersNeed) {
    for (const char* name : kPictures)
        EXPECT_FALSE(picture(name).isNull()) << name;

    const QSize window = picture("main_mask.jpg").size();
    EXPECT_LE(window.width(), 800);
    EXPECT_LE(window.height(), 642);
    for (const char* page :
         {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "advanced_normal.jpg",
          "advanced_over.jpg", "advanced_down.jpg", "color_normal_pink.jpg", "color_over_red.jpg",
          "color_down_purple.jpg", "color_normal_gray.jpg", "color_over_blue.jpg"})
        EXPECT_EQ(picture(page).size(), window) << page;

    // Top menu: ten bands plus one pixel row inside a 300 x 300 window.
    const QSize menu = picture("menu_mask.jpg").size();
    EXPECT_LE(menu.width(), 300);
    EXPECT_GE(menu.height() / 10, 20);
    EXPECT_LE(10 * (menu.height() / 10) + 1, 300);
    EXPECT_GE(menu.height(), 10 * (menu.height() / 10) + 1)
        << "the row below the last band must be drawn";
    // Second menu: twelve bands plus one pixel row inside 300 x 400.
    const QSize sub = picture("advanced menu_mask.jpg").size();
    EXPECT_LE(sub.width(), 300);
    EXPECT_GE(sub.height() / 12, 20);
    EXPECT_LE(12 * (sub.height() / 12) + 1, 400);
    EXPECT_GE(sub.height(), 12 * (sub.height() / 12) + 1);
    for (const char* look : {"menu_normal.jpg", "menu_over.jpg", "menu_down.jpg"})
        EXPECT_EQ(picture(look).size(), menu) << look;
    for (const char* look :
         {"advanced menu_normal.jpg", "advanced menu_over.jpg", "advanced menu_down.jpg"})
        EXPECT_EQ(picture(look).size(), sub) << look;

    const QSize warning = picture("warning_mask.bmp").size();
    EXPECT_EQ(picture("warning_normal.jpg").size(), warning);
    EXPECT_EQ(picture("warning_over.jpg").size(), warning);

    // The knob is copied in the size of each DPI step row.
    const QSize knob = picture("dpi_slider.jpg").size();
    for (int k = 60; k <= 79; ++k) {
        const Rect r = row(layout("skin_main", true), "BUTTONPOS", k).rect;
        EXPECT_LE(r.w, knob.width()) << k;
        EXPECT_LE(r.h, knob.height()) << k;
    }
}

TEST_F(GeneratedSkin, GeneratingLeavesOtherFilesOfTheFolderAlone) {
    EXPECT_TRUE(QFile::exists(path("INI_EN/defMacro.dat")));
}

TEST_F(GeneratedSkin, EveryRowHasSevenFieldsAndARectangleInsideItsPicture) {
    const QSize window = picture("main_mask.jpg").size();
    const QSize warning = picture("warning_mask.bmp").size();
    struct Table {
        const char* base;
        const char* section;
        std::vector<int> keys;
        QSize bounds;
    };
    auto range = [](int from, int to) {
        std::vector<int> keys;
        for (int k = from; k <= to; ++k)
            keys.push_back(k);
        return keys;
    };
    const Table tables[] = {
        {"skin_main", "BUTTONPOS", range(0, 99), window},
        {"skin_color", "BUTTONPOS", range(0, 12), window},
        {"skin_advance", "BUTTONPOS", range(0, 45), window},
        {"skin_advance", "EDIT", {3, 4}, window},
        {"skin_advance", "MACRODISPLAY", {1, 2}, window},
        {"LBWarning", "BUTTONPOS", range(0, 2), warning},
    };
    for (bool english : {true, false}) {
        for (const Table& t : tables) {
            for (int key : t.keys) {
                const QString where = QString("%1 [%2] %3 %4")
                                          .arg(t.base, t.section)
                                          .arg(key)
                                          .arg(english ? "EN" : "CN");
                const QString value = vux::ini::readString(layout(t.base, english), t.section,
                                                           QString::number(key), 260);
                ASSERT_EQ(value.count(','), 6)
                    << where.toStdString() << ": " << value.toStdString();
                const Rect r = row(layout(t.base, english), t.section, key).rect;
                EXPECT_GE(r.x, 0) << where.toStdString();
                EXPECT_GE(r.y, 0) << where.toStdString();
                EXPECT_GE(r.w, 0) << where.toStdString();
                EXPECT_GE(r.h, 0) << where.toStdString();
                EXPECT_LE(r.x + r.w, t.bounds.width()) << where.toStdString();
                EXPECT_LE(r.y + r.h, t.bounds.height()) << where.toStdString();
            }
        }
    }
}

TEST_F(GeneratedSkin, EveryFunctionCodeHasANameInBothLanguages) {
    for (bool english : {true, false}) {
        std::set<QString> names;
        for (int code = 1; code <= 54; ++code) {
            const QString name = vux::ini::readString(layout("skin_main", english), "FUN_STRING",
                                                      QString::number(code), 260);
            EXPECT_FALSE(name.isEmpty()) << code;
            EXPECT_FALSE(name.contains(',')) << code;
            if (code <= 40 && code != 20 && (code < 27 || code > 30)) {
                EXPECT_TRUE(names.insert(name).second)
                    << "two functions named " << name.toStdString();
            }
        }
    }
    // The Chinese files carry Chinese texts (stored as UTF-16, read back intact).
    EXPECT_EQ(vux::ini::readString(layout("skin_main", false), "FUN_STRING", "1", 260),
              QString::fromUtf8("左键"));
    EXPECT_EQ(row(layout("skin_main", false), "BUTTONPOS", 0).text(),
              QString::fromUtf8("Vand Rox宏编程游戏鼠标驱动"));
    EXPECT_EQ(row(layout("skin_main", true), "BUTTONPOS", 0).text(), "TESK GAMING MOUSE");
}

TEST_F(GeneratedSkin, LayoutFilesAreUtf16WithByteOrderMark) {
    for (bool english : {true, false})
        for (const char* base : {"skin_main", "skin_color", "skin_advance", "LBWarning"}) {
            QFile f(layout(base, english));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << base;
            const QByteArray head = f.read(2);
            EXPECT_EQ(head, QByteArray("\xff\xfe", 2)) << base;
        }
}

TEST_F(GeneratedSkin, EnglishAndChineseLayoutsShareTheirGeometry) {
    const std::pair<const char*, std::vector<std::pair<const char*, int>>> files[] = {
        {"skin_main", {{"BUTTONPOS", 100}}},
        {"skin_color", {{"BUTTONPOS", 13}}},
        {"skin_advance", {{"BUTTONPOS", 46}, {"EDIT", 5}, {"MACRODISPLAY", 3}}},
        {"LBWarning", {{"BUTTONPOS", 3}}},
    };
    for (const auto& [base, sections] : files)
        for (const auto& [section, count] : sections)
            for (int k = 0; k < count; ++k) {
                const Row en = row(layout(base, true), section, k);
                const Row cn = row(layout(base, false), section, k);
                EXPECT_EQ(en.rect, cn.rect) << base << " [" << section << "] " << k;
                EXPECT_EQ(en.fields.value(0), cn.fields.value(0)) << base << " " << k;
            }
}

// Rows the pointer can reach must not cover each other, except where one row
// is meant to lie inside another: a DPI caption inside its enable toggle and
// the current-level marker on its selector.
TEST_F(GeneratedSkin, RowsDoNotOverlapExceptWhereOneIsPartOfAnother) {
    const auto main = rows("skin_main", 100, true);
    const auto color = rows("skin_color", 13, true);
    const auto advance = rows("skin_advance", 46, true);
    const auto warning = rows("LBWarning", 3, true);
    const QString adv = layout("skin_advance", true);
    const Rect editors[] = {row(adv, "EDIT", 3).rect, row(adv, "EDIT", 4).rect,
                            row(adv, "MACRODISPLAY", 1).rect, row(adv, "MACRODISPLAY", 2).rect};

    struct Named {
        std::string name;
        Rect rect;
    };
    auto disjoint = [](const std::vector<Named>& set) {
        for (size_t i = 0; i < set.size(); ++i)
            for (size_t j = i + 1; j < set.size(); ++j)
                EXPECT_FALSE(set[i].rect.overlaps(set[j].rect))
                    << set[i].name << " overlaps " << set[j].name;
    };
    std::vector<Named> header;
    for (int i = 0; i < 20; ++i)
        header.push_back({"main " + std::to_string(i), main[i].rect});

    std::vector<Named> mainPage = header;
    for (int i = 20; i < 100; ++i)
        if (!(i >= 50 && i <= 53) && !(i >= 80 && i <= 83))
            mainPage.push_back({"main " + std::to_string(i), main[i].rect});
    disjoint(mainPage);
    for (int j = 0; j < 4; ++j) {
        EXPECT_TRUE(main[46 + j].rect.contains(main[50 + j].rect)) << "caption " << j;
        EXPECT_EQ(main[54 + j].rect, main[80 + j].rect) << "marker " << j;
    }

    std::vector<Named> colorPage = header;
    for (int i = 0; i < 13; ++i)
        colorPage.push_back({"color " + std::to_string(i), color[i].rect});
    disjoint(colorPage);

    std::vector<Named> advancePage = header;
    for (int i = 0; i < 46; ++i)
        advancePage.push_back({"advance " + std::to_string(i), advance[i].rect});
    for (int e = 0; e < 4; ++e)
        advancePage.push_back({"editor " + std::to_string(e), editors[e]});
    disjoint(advancePage);

    disjoint({{"warning 0", warning[0].rect},
              {"warning 1", warning[1].rect},
              {"warning 2", warning[2].rect}});
}

// Each DPI level's five positions lie on one track, left to right by the DPI
// they give (steps 1, 2, 3, 4, 0 = 1200 .. 3200), as the values drawn under
// them say.
TEST_F(GeneratedSkin, DpiPositionsRunByAscendingDpiOnOneTrack) {
    const auto main = rows("skin_main", 100, true);
    const int ascending[5] = {1, 2, 3, 4, 0};
    for (int j = 0; j < 4; ++j) {
        for (int k = 1; k < 5; ++k) {
            const Rect& before = main[60 + 5 * j + ascending[k - 1]].rect;
            const Rect& after = main[60 + 5 * j + ascending[k]].rect;
            EXPECT_EQ(before.y, after.y) << "level " << j;
            EXPECT_LE(before.x + before.w, after.x) << "level " << j << " position " << k;
        }
        // The level's toggle, selector and track sit together on its card.
        EXPECT_LT(main[46 + j].rect.y, main[60 + 5 * j].rect.y);
        EXPECT_EQ(main[46 + j].rect.y, main[54 + j].rect.y);
    }
}

TEST_F(GeneratedSkin, MaskCutsOutTheOutsideAndKeepsEveryRowInside) {
    const QImage mask = picture("main_mask.jpg");
    ASSERT_FALSE(mask.isNull());
    const int w = mask.width(), h = mask.height();
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_TRUE(transparent(mask.pixel(corner))) << corner.x() << "," << corner.y();
    EXPECT_FALSE(transparent(mask.pixel(w / 2, h / 2)));

    // Every row with an area lies wholly in the window's shape.
    auto inside = [&](const Rect& r, const std::string& what) {
        if (r.empty())
            return;
        for (QPoint p : {QPoint(r.x, r.y), QPoint(r.x + r.w - 1, r.y), QPoint(r.x, r.y + r.h - 1),
                         QPoint(r.x + r.w - 1, r.y + r.h - 1)})
            EXPECT_FALSE(transparent(mask.pixel(p))) << what << " at " << p.x() << "," << p.y();
    };
    const auto main = rows("skin_main", 100, true);
    for (int i = 0; i < 100; ++i)
        inside(main[i].rect, "main " + std::to_string(i));
    const auto color = rows("skin_color", 13, true);
    for (int i = 0; i < 13; ++i)
        inside(color[i].rect, "color " + std::to_string(i));
    const auto advance = rows("skin_advance", 46, true);
    for (int i = 0; i < 46; ++i)
        inside(advance[i].rect, "advance " + std::to_string(i));

    const QImage warning = picture("warning_mask.bmp");
    EXPECT_TRUE(transparent(warning.pixel(0, 0)));
    EXPECT_FALSE(transparent(warning.pixel(warning.width() / 2, warning.height() / 2)));
    const auto rowsOfWarning = rows("LBWarning", 3, true);
    for (const Row& r : rowsOfWarning)
        EXPECT_FALSE(transparent(warning.pixel(r.rect.x + r.rect.w / 2, r.rect.y + r.rect.h / 2)));
}

// Rows with a hovered or selected look show it: the over or down picture
// differs from the normal one inside the row, so a copied rectangle is visible.
TEST_F(GeneratedSkin, PicturesShowALookForEveryInteractiveRow) {
    auto differs = [](const QImage& a, const QImage& b, const Rect& r) {
        long total = 0;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                         std::abs(qBlue(p) - qBlue(q));
            }
        return total / std::max(1, r.w * r.h) >= 6;
    };
    const auto main = rows("skin_main", 100, true);
    const QImage mn = picture("main_normal.jpg"), mo = picture("main_over.jpg"),
                 md = picture("main_down.jpg");
    std::vector<int> hover{2, 3, 12, 13, 14, 15, 16, 17, 18, 19, 41, 42};
    for (int i = 4; i <= 11; ++i)
        hover.push_back(i);
    for (int i = 25; i <= 32; ++i)
        hover.push_back(i);
    for (int i = 90; i <= 97; ++i)
        hover.push_back(i);
    for (int i : hover)
        EXPECT_TRUE(differs(mn, mo, main[i].rect)) << "main over " << i;
    std::vector<int> down{3,  4,  5,  6,  7,  8,  9,  10, 11, 17, 18,
                          41, 42, 46, 47, 48, 49, 80, 81, 82, 83};
    for (int i = 90; i <= 97; ++i)
        down.push_back(i);
    for (int i : down)
        EXPECT_TRUE(differs(mn, md, main[i].rect)) << "main down " << i;
    // The knob stands out from the track at every step position.
    const QImage knob = picture("dpi_slider.jpg");
    for (int i = 60; i <= 79; ++i) {
        const Rect& r = main[i].rect;
        const QImage under = mn.copy(r.x, r.y, r.w, r.h);
        EXPECT_TRUE(differs(under, knob, Rect{0, 0, r.w, r.h})) << "knob at " << i;
    }

    const auto advance = rows("skin_advance", 46, true);
    const QImage an = picture("advanced_normal.jpg"), ad = picture("advanced_down.jpg");
    for (int i : {4, 6, 7, 30})
        EXPECT_TRUE(differs(an, ad, advance[i].rect)) << "advance down " << i;
    for (int i = 8; i <= 27; ++i)
        EXPECT_TRUE(differs(an, ad, advance[i].rect)) << "advance down " << i;

    const auto color = rows("skin_color", 13, true);
    const QImage cn = picture("color_normal_pink.jpg"), cd = picture("color_down_purple.jpg");
    for (int i = 0; i <= 3; ++i)
        EXPECT_TRUE(differs(cn, cd, color[i].rect)) << "color down " << i;
    // The light indicator has five distinct looks.
    const QImage looks[] = {cn, picture("color_over_red.jpg"), cd, picture("color_normal_gray.jpg"),
                            picture("color_over_blue.jpg")};
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            EXPECT_TRUE(differs(looks[a], looks[b], color[11].rect))
                << "indicator looks " << a << " and " << b;
}

} // namespace
