#include "ui/SkinLayout.h"

#include "platform/ini/IniFile.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace vux {

namespace {

const QString kButtonPos = QStringLiteral("BUTTONPOS");

QString layoutPath(const QString& skinsFolder, bool english, const char* base) {
    const QString name = QString::fromLatin1(base);
    return english ? skinsFolder + QStringLiteral("/INI_EN/") + name + QStringLiteral("_en.ini")
                   : skinsFolder + QStringLiteral("/INI_CN/") + name + QStringLiteral(".ini");
}

CornerRect cornersOf(const SkinRect& r) {
    // 64-bit sums: the file may hold any number, and the corner must not wrap.
    auto clampInt = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {r.x, r.y, clampInt(int64_t{r.x} + r.width), clampInt(int64_t{r.y} + r.height)};
}

template <std::size_t N>
void loadButtonPos(const ini::FileSnapshot& file, const QString& path,
                   std::array<SkinRect, N>& rects, std::array<QString, N>& texts,
                   SkinReport& report) {
    SkinRow row;
    for (int k = 0; k < static_cast<int>(N); ++k) {
        readSkinRow(file, path, kButtonPos, k, row, report);
        rects[k] = skinRectOf(row);
        texts[k] = row.fields[5];
    }
}

} // namespace

bool splitSkinValue(const QString& input, SkinRow& row) {
    const QString value = input.left(kSkinValueMax);
    for (auto& f : row.fields)
        f.clear();
    const qsizetype commas = value.count(QLatin1Char(','));
    // Rows with fewer than six commas are split plainly: the fields after the
    // last one stay empty.
    qsizetype start = 0;
    for (int k = 0; k < kSkinFields; ++k) {
        if (k == kSkinFields - 1) {
            row.fields[k] = value.mid(start);
            break;
        }
        const qsizetype comma = value.indexOf(QLatin1Char(','), start);
        if (comma < 0) {
            row.fields[k] = value.mid(start);
            break;
        }
        row.fields[k] = value.mid(start, comma - start);
        start = comma + 1;
    }
    return commas <= kSkinFields - 1;
}

SkinRect skinRectOf(const SkinRow& row) {
    return {ini::wtoi(row.fields[1]), ini::wtoi(row.fields[2]), ini::wtoi(row.fields[3]),
            ini::wtoi(row.fields[4])};
}

namespace {

void checkLayoutFile(const QString& path, SkinReport& report) {
    if (!QFileInfo(path).isFile() && report.missingReported.insert(path).second) {
        // Once per missing file: the rows read empty and the program closes.
        if (report.showMessage)
            report.showMessage(kMissingLayoutMessage);
        if (report.closeProgram)
            report.closeProgram();
    }
}

void splitReported(const QString& value, SkinRow& row, SkinReport& report) {
    if (!splitSkinValue(value, row) && report.showMessage)
        report.showMessage(kMalformedRowMessage);
}

} // namespace

void readSkinRow(const QString& path, const QString& section, int key, SkinRow& row,
                 SkinReport& report) {
    checkLayoutFile(path, report);
    splitReported(ini::readString(path, section, QString::number(key), kSkinValueMax + 1), row,
                  report);
}

void readSkinRow(const ini::FileSnapshot& file, const QString& path, const QString& section,
                 int key, SkinRow& row, SkinReport& report) {
    checkLayoutFile(path, report);
    splitReported(file.readString(section, QString::number(key), kSkinValueMax + 1), row, report);
}

QString skinMainPath(const QString& f, bool english) {
    return layoutPath(f, english, "skin_main");
}
QString skinColorPath(const QString& f, bool english) {
    return layoutPath(f, english, "skin_color");
}
QString skinAdvancePath(const QString& f, bool english) {
    return layoutPath(f, english, "skin_advance");
}
QString warningLayoutPath(const QString& f, bool english) {
    return layoutPath(f, english, "LBWarning");
}

void loadSkinMain(SkinLayout& layout, const QString& skinsFolder, bool english,
                  SkinReport& report) {
    const QString path = skinMainPath(skinsFolder, english);
    const ini::FileSnapshot file(path);
    loadButtonPos(file, path, layout.mainRects, layout.mainTexts, report);
    SkinRow row;
    layout.funStrings[0].clear();
    for (int k = 1; k < kFunStrings; ++k) {
        readSkinRow(file, path, QStringLiteral("FUN_STRING"), k, row, report);
        layout.funStrings[k] = row.fields[0];
    }
}

void loadSkinColor(SkinLayout& layout, const QString& skinsFolder, bool english,
                   SkinReport& report) {
    const QString path = skinColorPath(skinsFolder, english);
    loadButtonPos(ini::FileSnapshot(path), path, layout.colorRects, layout.colorTexts, report);
}

void loadSkinAdvance(SkinLayout& layout, const QString& skinsFolder, bool english,
                     SkinReport& report) {
    const QString path = skinAdvancePath(skinsFolder, english);
    const ini::FileSnapshot file(path);
    loadButtonPos(file, path, layout.advanceRects, layout.advanceTexts, report);
    SkinRow row;
    readSkinRow(file, path, QStringLiteral("EDIT"), 3, row, report);
    const SkinRect repeatEdit = skinRectOf(row);
    readSkinRow(file, path, QStringLiteral("EDIT"), 4, row, report);
    const SkinRect nameEdit = skinRectOf(row);
    readSkinRow(file, path, QStringLiteral("MACRODISPLAY"), 1, row, report);
    const SkinRect macroList = skinRectOf(row);
    readSkinRow(file, path, QStringLiteral("MACRODISPLAY"), 2, row, report);
    const SkinRect eventList = skinRectOf(row);
    layout.repeatEditRect = cornersOf(repeatEdit);
    layout.nameEditRect = cornersOf(nameEdit);
    layout.macroListRect = cornersOf(macroList);
    layout.eventListRect = cornersOf(eventList);
}

void loadWarningLayout(SkinLayout& layout, const QString& skinsFolder, bool english,
                       SkinReport& report) {
    const QString path = warningLayoutPath(skinsFolder, english);
    loadButtonPos(ini::FileSnapshot(path), path, layout.warningRects, layout.warningTexts, report);
}

} // namespace vux
