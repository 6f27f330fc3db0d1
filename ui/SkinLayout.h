#pragma once
// The skin's layout files: where every row of the three pages, the warning
// dialog and the macro page's controls sits, with the rows' label texts and the
// names of the button functions. Layout values are "name,x,y,width,height,text,tail".

#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <set>

namespace vux {

inline constexpr int kMainRows = 100;
inline constexpr int kColorRows = 13;
inline constexpr int kAdvanceRows = 46;
inline constexpr int kWarningRows = 3;
inline constexpr int kFunStrings = 55;
inline constexpr int kSkinFields = 7;
inline constexpr int kNoRow = 255;

// Position and size, not two corners.
struct SkinRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool contains(int px, int py) const {
        return px >= x && py >= y && int64_t{px} - x < width && int64_t{py} - y < height;
    }
    // Coordinates far beyond any screen are held to a range where the corner
    // arithmetic of a rectangle cannot overflow.
    QRect toQRect() const {
        constexpr int32_t lim = 1 << 20;
        auto c = [](int32_t v) { return v < -lim ? -lim : v > lim ? lim : v; };
        auto size = [](int32_t v) { return v < 0 ? 0 : v > lim ? lim : v; };
        return QRect(c(x), c(y), size(width), size(height));
    }
    bool operator==(const SkinRect&) const = default;
};

// The four corners of an editor rectangle: right = x + width, bottom = y + height.
struct CornerRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    QRect toQRect() const {
        auto span = [](int32_t a, int32_t b) {
            const int64_t d = int64_t{b} - a;
            return static_cast<int32_t>(d < 0 ? 0 : d > (1 << 20) ? (1 << 20) : d);
        };
        return SkinRect{left, top, span(left, right), span(top, bottom)}.toQRect();
    }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const CornerRect&) const = default;
};

struct SkinRow {
    std::array<QString, kSkinFields> fields;
};

// The longest value a layout reader takes; longer values are cut.
inline constexpr int kSkinValueMax = 259;

// Splits one layout value into its seven fields. Returns false when the value
// has more commas than fields can take (the surplus stays in field 6).
bool splitSkinValue(const QString& value, SkinRow& row);

// Fields 1..4 as a rectangle.
SkinRect skinRectOf(const SkinRow& row);

// How the loaders tell the user about a broken skin. A missing file is
// reported once, then the program is closed; the loaders read on regardless.
struct SkinReport {
    std::function<void(const QString& message)> showMessage;
    std::function<void()> closeProgram;
    std::set<QString> missingReported;
};

inline const QString kMissingLayoutMessage = QStringLiteral("找不到配置文件");
inline const QString kMalformedRowMessage = QStringLiteral("加载ini错误！");

// Reads one row of a layout file. An absent key gives an empty row.
void readSkinRow(const QString& path, const QString& section, int key, SkinRow& row,
                 SkinReport& report);

namespace ini {
class FileSnapshot;
}
// The same from a file read once: a loader reads all its rows from one read of
// its file instead of reading the file again for every row.
void readSkinRow(const ini::FileSnapshot& file, const QString& path, const QString& section,
                 int key, SkinRow& row, SkinReport& report);

struct SkinLayout {
    std::array<SkinRect, kMainRows> mainRects{};
    std::array<QString, kMainRows> mainTexts{};
    std::array<SkinRect, kColorRows> colorRects{};
    std::array<QString, kColorRows> colorTexts{};
    std::array<SkinRect, kAdvanceRows> advanceRects{};
    std::array<QString, kAdvanceRows> advanceTexts{};
    std::array<QString, kFunStrings> funStrings{};
    std::array<SkinRect, kWarningRows> warningRects{};
    std::array<QString, kWarningRows> warningTexts{};
    CornerRect repeatEditRect;
    CornerRect nameEditRect;
    CornerRect macroListRect;
    CornerRect eventListRect;
};

// Layout file paths by language.
QString skinMainPath(const QString& skinsFolder, bool english);
QString skinColorPath(const QString& skinsFolder, bool english);
QString skinAdvancePath(const QString& skinsFolder, bool english);
QString warningLayoutPath(const QString& skinsFolder, bool english);

void loadSkinMain(SkinLayout& layout, const QString& skinsFolder, bool english, SkinReport& report);
void loadSkinColor(SkinLayout& layout, const QString& skinsFolder, bool english,
                   SkinReport& report);
void loadSkinAdvance(SkinLayout& layout, const QString& skinsFolder, bool english,
                     SkinReport& report);
void loadWarningLayout(SkinLayout& layout, const QString& skinsFolder, bool english,
                       SkinReport& report);

} // namespace vux
