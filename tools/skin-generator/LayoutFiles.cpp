#include "LayoutFiles.h"

#include <QStringEncoder>

namespace skin {

namespace {

// name,x,y,width,height,text, — seven fields, six commas; the seventh is empty.
QString rowValue(const Row& row, bool english) {
    const QRect& r = row.rect;
    return QStringLiteral("%1,%2,%3,%4,%5,%6,")
        .arg(row.name)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .arg(english ? row.en : row.cn);
}

class Writer {
public:
    void section(const QString& name) {
        if (!text_.isEmpty())
            text_ += QStringLiteral("\r\n");
        text_ += QLatin1Char('[') + name + QStringLiteral("]\r\n");
    }
    void key(int key, const QString& value) {
        text_ += QString::number(key) + QLatin1Char('=') + value + QStringLiteral("\r\n");
    }
    template <typename Rows> void rows(const Rows& rows, bool english) {
        section(QStringLiteral("BUTTONPOS"));
        int k = 0;
        for (const Row& row : rows)
            key(k++, rowValue(row, english));
    }
    QByteArray bytes() const {
        QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        return encoder.encode(text_);
    }

private:
    QString text_;
};

bool unsafe(const QString& text) {
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('\n')) ||
           text.contains(QLatin1Char('\r')) || text.trimmed() != text ||
           (text.size() >= 2 && text.front() == text.back() &&
            (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\'')));
}

} // namespace

std::vector<LayoutFile> layoutFiles(const Skin& skin) {
    std::vector<LayoutFile> files;
    for (bool english : {true, false}) {
        const QString folder = english ? QStringLiteral("INI_EN/") : QStringLiteral("INI_CN/");
        const QString suffix = english ? QStringLiteral("_en.ini") : QStringLiteral(".ini");

        Writer main;
        main.rows(skin.main, english);
        main.section(QStringLiteral("FUN_STRING"));
        for (int code = 1; code <= 54; ++code)
            main.key(code, english ? skin.funEn[static_cast<size_t>(code)]
                                   : skin.funCn[static_cast<size_t>(code)]);
        files.push_back({folder + QStringLiteral("skin_main") + suffix, main.bytes()});

        Writer color;
        color.rows(skin.color, english);
        files.push_back({folder + QStringLiteral("skin_color") + suffix, color.bytes()});

        Writer advance;
        advance.rows(skin.advance, english);
        advance.section(QStringLiteral("EDIT"));
        advance.key(3, rowValue(skin.repeatEdit, english));
        advance.key(4, rowValue(skin.nameEdit, english));
        advance.section(QStringLiteral("MACRODISPLAY"));
        advance.key(1, rowValue(skin.macroList, english));
        advance.key(2, rowValue(skin.eventList, english));
        files.push_back({folder + QStringLiteral("skin_advance") + suffix, advance.bytes()});

        Writer warning;
        warning.rows(skin.warningRows, english);
        files.push_back({folder + QStringLiteral("LBWarning") + suffix, warning.bytes()});
    }
    return files;
}

QStringList unsafeTexts(const Skin& skin) {
    QStringList bad;
    auto check = [&](const QString& text) {
        if (unsafe(text))
            bad << text;
    };
    auto checkRows = [&](const auto& rows) {
        for (const Row& row : rows) {
            check(row.name);
            check(row.en);
            check(row.cn);
        }
    };
    checkRows(skin.main);
    checkRows(skin.color);
    checkRows(skin.advance);
    checkRows(skin.warningRows);
    for (int code = 1; code <= 54; ++code) {
        check(skin.funEn[static_cast<size_t>(code)]);
        check(skin.funCn[static_cast<size_t>(code)]);
    }
    return bad;
}

} // namespace skin
