#include "Skin.h"

namespace skin {

const std::array<unsigned, 4> kLevelColours{0x2f8cff, 0xff5fb4, 0xff3a3a, 0x9b5cff};

namespace {

void put(Row& row, const char* name, QRect rect, Look look, const QString& en = {},
         const QString& cn = {}) {
    row.name = QString::fromLatin1(name);
    row.rect = rect;
    row.look = look;
    row.en = en;
    row.cn = cn;
}

// A text centred on a point: the row has no area, so it never takes the
// pointer and a press on it drags the window like the background around it.
void anchor(Row& row, const char* name, QPoint at, const QString& en, const QString& cn) {
    put(row, name, QRect(at, QSize(0, 0)), Look::Anchor, en, cn);
}

QString u(const char16_t* text) {
    return QString::fromUtf16(text);
}

void describeHeader(Skin& s) {
    auto& m = s.main;
    anchor(m[0], "title", {400, 25}, u(u"TESK GAMING MOUSE"), u(u"Vand Rox宏编程游戏鼠标驱动"));
    anchor(m[1], "status", {400, 113}, u(u"Yapılandırma başlıyor."), u(u"驱动运行中..."));
    put(m[2], "close", {742, 16, 30, 28}, Look::CloseButton);
    m[2].icon = Icon::Close;
    put(m[3], "apply", {620, 554, 156, 36}, Look::Primary, u(u"APPLY"), u(u"应用"));
    for (int p = 0; p < 5; ++p) {
        Row& r = m[4 + p];
        put(r, "profile", {404 + 75 * p, 62, 72, 28}, Look::ProfileTab,
            QStringLiteral("Profile %1").arg(p + 1), u(u"配置 ") + QString::number(p + 1));
        r.name = QStringLiteral("profile%1").arg(p + 1);
    }
    put(m[9], "tab_buttons", {24, 58, 120, 36}, Look::PageTab, u(u"BUTTONS"), u(u"按键设置"));
    put(m[10], "tab_macros", {148, 58, 120, 36}, Look::PageTab, u(u"MACROS"), u(u"宏编辑"));
    put(m[11], "tab_light", {272, 58, 120, 36}, Look::PageTab, u(u"DPI & LIGHT"), u(u"DPI与灯光"));
    put(m[12], "minimise", {674, 16, 30, 28}, Look::IconButton);
    m[12].icon = Icon::Minimise;
    put(m[13], "tray", {708, 16, 30, 28}, Look::IconButton);
    m[13].icon = Icon::Tray;
    put(m[14], "import", {24, 556, 100, 32}, Look::Button, u(u"Import"), u(u"导入配置"));
    put(m[15], "export", {130, 556, 100, 32}, Look::Button, u(u"Export"), u(u"导出配置"));
    put(m[16], "reset", {236, 556, 100, 32}, Look::Button, u(u"Reset"), u(u"恢复默认"));
    put(m[17], "chinese", {64, 18, 64, 24}, Look::Segment, u(u"中文"), u(u"中文"));
    put(m[18], "english", {128, 18, 64, 24}, Look::Segment, u(u"English"), u(u"English"));
    put(m[19], "website", {640, 16, 30, 28}, Look::IconButton);
    m[19].icon = Icon::Web;
}

void describeMainPage(Skin& s) {
    auto& m = s.main;
    const QRect left(20, 130, 444, 416);
    const QRect right(474, 130, 306, 416);
    s.mainPage.panels = {{left}, {right}};

    anchor(m[20], "head_buttons", {left.center().x(), 143}, u(u"BUTTON ASSIGNMENT"),
           u(u"按键功能"));
    anchor(m[21], "head_dpi", {600, 143}, u(u"DPI LEVELS"), u(u"DPI档位"));
    anchor(m[22], "head_in_use", {750, 143}, u(u"In use"), u(u"当前"));
    anchor(m[23], "hint_labels", {left.center().x(), 527},
           u(u"Click a label to choose the button's function"), u(u"点击按键名称即可选择按键功能"));
    anchor(m[24], "head_wheel", {104, 487}, u(u"Wheel switch"), u(u"滚轮开关"));

    // Labels of buttons 1..8; the number badge sits left of each in the picture.
    for (int b = 0; b < 8; ++b) {
        Row& r = m[25 + b];
        put(r, "label", {62, 168 + 36 * b, 184, 30}, Look::FunctionLabel);
        r.name = QStringLiteral("label%1").arg(b + 1);
        r.arg = b + 1;
        r.leftAligned = true;
        r.reserveRight = 22;
    }

    put(m[41], "wheel0", {170, 472, 110, 30}, Look::Segment, u(u"Mode 1"), u(u"模式一"));
    put(m[42], "wheel1", {280, 472, 110, 30}, Look::Segment, u(u"Mode 2"), u(u"模式二"));

    for (int j = 0; j < 4; ++j) {
        const int top = 164 + 94 * j;
        Row& toggle = m[46 + j];
        put(toggle, "enable", {492, top + 8, 130, 28}, Look::Toggle);
        toggle.name = QStringLiteral("enable%1").arg(j + 1);
        toggle.reserveLeft = 40;
        Row& caption = m[50 + j];
        put(caption, "caption", {532, top + 8, 90, 28}, Look::Label,
            QStringLiteral("DPI %1").arg(j + 1), u(u"档位 ") + QString::number(j + 1));
        caption.name = QStringLiteral("caption%1").arg(j + 1);
        caption.smallFont = true;
        Row& selector = m[54 + j];
        put(selector, "select", {736, top + 8, 28, 28}, Look::Radio);
        selector.name = QStringLiteral("select%1").arg(j + 1);
        selector.arg = j;
        Row& marker = m[80 + j];
        put(marker, "current", selector.rect, Look::Radio);
        marker.name = QStringLiteral("current%1").arg(j + 1);
        marker.arg = j;
        for (int step = 0; step < 5; ++step) {
            int slot = 0;
            while (Skin::kTrackOrder[slot] != step)
                ++slot;
            Row& r = m[60 + 5 * j + step];
            put(r, "step", {492 + 54 * slot, top + 40, 54, 24}, Look::DpiStep);
            r.name = QStringLiteral("dpi%1_%2").arg(j + 1).arg(Skin::kStepDpi[step]);
            r.arg = step;
        }
    }

    // The mouse drawing: buttons 1..8 as separate rectangles that do not
    // overlap, so lighting one never lights a part of another.
    s.mouseCx = 366;
    s.mouseTop = 172;
    const int cx = s.mouseCx;
    const QRect parts[8] = {
        {cx - 64, 172, 52, 114}, // 1 left button
        {cx + 12, 172, 52, 114}, // 2 right button
        {cx - 10, 188, 20, 52},  // 3 wheel
        {cx - 84, 302, 22, 36},  // 4 front side button
        {cx - 84, 340, 22, 36},  // 5 rear side button
        {cx - 10, 265, 20, 21},  // 6 DPI down, behind the wheel
        {cx - 10, 243, 20, 21},  // 7 DPI up
        {cx - 50, 296, 22, 34},  // 8 fire key on the top, behind the left button
    };
    for (int b = 0; b < 8; ++b) {
        Row& r = m[90 + b];
        put(r, "mouse_button", parts[b], Look::MouseButton);
        r.name = QStringLiteral("mouse_button%1").arg(b + 1);
        r.arg = b + 1;
    }

    for (int i = 0; i < 100; ++i)
        if (m[i].name.isEmpty())
            m[i].name = QStringLiteral("free");
}

void describeColorPage(Skin& s) {
    auto& c = s.color;
    const QRect left(20, 130, 370, 416);
    const QRect right(400, 130, 380, 416);
    s.colorPage.panels = {{left}, {right}};
    const char16_t* modesEn[4] = {u"Slow cycle", u"Fast cycle", u"Steady", u"Off"};
    const char16_t* modesCn[4] = {u"慢速循环", u"快速循环", u"常亮", u"关闭"};
    const Icon icons[4] = {Icon::SlowCycle, Icon::FastCycle, Icon::Steady, Icon::Off};
    for (int k = 0; k < 4; ++k) {
        put(c[k], "light_mode", {412, 166 + 50 * k, 356, 42}, Look::LightMode, u(modesEn[k]),
            u(modesCn[k]));
        c[k].name = QStringLiteral("light_mode%1").arg(k);
        c[k].icon = icons[k];
        c[k].reserveLeft = 50;
    }
    put(c[4], "free", {}, Look::Unused);
    put(c[5], "head_preview", {left.x(), left.y(), left.width(), 26}, Look::Heading,
        u(u"LIGHT PREVIEW"), u(u"灯光预览"));
    put(c[6], "preview_note", {30, 490, 350, 22}, Look::Label,
        u(u"The colour follows the DPI level"), u(u"灯光颜色随DPI档位变化"));
    put(c[7], "head_mode", {right.x(), right.y(), right.width(), 26}, Look::Heading,
        u(u"LIGHT MODE"), u(u"灯光模式"));
    put(c[8], "head_dpi", {right.x(), 372, right.width(), 26}, Look::Heading, u(u"DPI IN FORCE"),
        u(u"当前DPI"));
    put(c[9], "dpi_value", {412, 408, 356, 44}, Look::Value, u(u"1200"), u(u"1200"));
    c[9].reserveRight = 56;
    put(c[10], "dpi_note", {412, 462, 356, 22}, Look::Label,
        u(u"DPI levels are set on the Buttons page"), u(u"DPI档位在按键设置页面中设置"));
    put(c[11], "indicator", {105, 166, 200, 318}, Look::Indicator);
    put(c[12], "apply_note", {412, 488, 356, 22}, Look::Label,
        u(u"Press APPLY to send the light mode"), u(u"点击应用后灯光模式生效"));
}

void describeAdvancePage(Skin& s) {
    auto& a = s.advance;
    const QRect left(20, 130, 236, 416);
    const QRect middle(264, 130, 276, 416);
    const QRect right(548, 130, 232, 416);
    s.advancePage.panels = {{left}, {middle}, {right}};

    put(a[34], "head_macros", {left.x(), left.y(), left.width(), 26}, Look::Heading, u(u"MACROS"),
        u(u"宏列表"));
    put(a[35], "head_events", {middle.x(), middle.y(), middle.width(), 26}, Look::Heading,
        u(u"EVENTS"), u(u"宏事件"));
    put(a[41], "head_settings", {right.x(), right.y(), right.width(), 26}, Look::Heading,
        u(u"SETTINGS"), u(u"设置"));

    put(s.macroList, "macro_list", {30, 164, 216, 262}, Look::Frame);
    put(a[2], "add", {30, 434, 106, 30}, Look::Button, u(u"Add"), u(u"新建"));
    put(a[3], "delete", {140, 434, 106, 30}, Look::Button, u(u"Delete"), u(u"删除"));
    put(a[0], "import", {30, 470, 106, 30}, Look::Button, u(u"Import"), u(u"导入"));
    put(a[1], "export", {140, 470, 106, 30}, Look::Button, u(u"Export"), u(u"导出"));
    put(a[45], "hint_select", {30, 510, 216, 22}, Look::Label, u(u"Select a macro to edit it"),
        u(u"选择一个宏进行编辑"));

    put(a[36], "name_label", {274, 166, 56, 26}, Look::Label, u(u"Name"), u(u"名称"));
    put(s.nameEdit, "name_edit", {334, 166, 196, 26}, Look::Frame);
    put(a[6], "repeat", {274, 200, 128, 26}, Look::Toggle, u(u"Repeat"), u(u"循环"));
    a[6].reserveLeft = 38;
    put(s.repeatEdit, "repeat_edit", {406, 200, 56, 26}, Look::Frame);
    put(a[37], "repeat_unit", {466, 200, 64, 26}, Look::Label, u(u"times"), u(u"次"));
    put(s.eventList, "event_list", {274, 234, 256, 192}, Look::Frame);
    put(a[38], "down_count", {274, 434, 126, 26}, Look::Value, u(u"[↓]0"), u(u"[↓]0"));
    put(a[39], "up_count", {404, 434, 126, 26}, Look::Value, u(u"[↑]0"), u(u"[↑]0"));
    put(a[4], "record", {274, 468, 126, 32}, Look::Button, u(u"Kaydet"), u(u"录制"));
    a[4].reserveLeft = 26;
    a[4].icon = Icon::Record;
    put(a[5], "save", {404, 468, 126, 32}, Look::Button, u(u"Save"), u(u"保存"));
    put(a[40], "hint_events", {274, 510, 256, 22}, Look::Label,
        u(u"Right-click an event to edit it"), u(u"右键单击事件即可编辑"));

    const int stepX = right.x() + (right.width() - (10 * 22 - 2)) / 2;
    put(a[42], "pointer_label", {558, 172, 212, 22}, Look::Label, u(u"Pointer speed"),
        u(u"指针速度"));
    put(a[43], "wheel_label", {558, 250, 212, 22}, Look::Label, u(u"Wheel speed"), u(u"滚轮速度"));
    for (int k = 0; k < 10; ++k) {
        Row& p = a[8 + k];
        put(p, "pointer_speed", {stepX + 22 * k, 197, 20, 22}, Look::SpeedStep);
        p.name = QStringLiteral("pointer_speed%1").arg(k);
        p.arg = k + 1;
        Row& w = a[18 + k];
        put(w, "wheel_speed", {stepX + 22 * k, 275, 20, 22}, Look::SpeedStep);
        w.name = QStringLiteral("wheel_speed%1").arg(k);
        w.arg = k + 1;
    }
    put(a[28], "free", {}, Look::Unused);
    put(a[29], "free", {}, Look::Unused);
    put(a[44], "fire_label", {558, 328, 212, 22}, Look::Label, u(u"Fire time"), u(u"连发间隔"));
    const int fireX = right.x() + (right.width() - (22 + 6 + 132 + 6 + 22)) / 2;
    put(a[32], "fire_minus", {fireX, 354, 22, 22}, Look::Stepper);
    a[32].icon = Icon::Minus;
    put(a[30], "fire_bar", {fireX + 28, 358, 132, 14}, Look::FireBar);
    put(a[31], "fire_plus", {fireX + 166, 354, 22, 22}, Look::Stepper);
    a[31].icon = Icon::Plus;
    put(a[33], "fire_value", {fireX + 28, 382, 132, 24}, Look::Value, u(u"50ms"), u(u"50ms"));
    put(a[7], "hold_mode", {558, 432, 212, 32}, Look::Toggle, u(u"Repeat while held"),
        u(u"按住循环"));
    a[7].reserveLeft = 42;
}

void describeWarning(Skin& s) {
    s.warning = QSize(420, 180);
    const int w = s.warning.width(), h = s.warning.height(), c = 16;
    s.warningOutline = QPolygon({QPoint(c, 0), QPoint(w - c, 0), QPoint(w, c), QPoint(w, h - c),
                                 QPoint(w - c, h), QPoint(c, h), QPoint(0, h - c), QPoint(0, c)});
    auto& r = s.warningRows;
    put(r[0], "confirm", {74, 122, 130, 34}, Look::Button, u(u"Continue"), u(u"确定"));
    put(r[1], "cancel", {216, 122, 130, 34}, Look::Button, u(u"Cancel"), u(u"取消"));
    put(r[2], "message", {20, 72, 380, 26}, Look::Label,
        u(u"This is the only left-click button. Continue?"), u(u"这是唯一的左键，确定要更改吗？"));
}

void describeFunctions(Skin& s) {
    struct Name {
        int code;
        const char16_t* en;
        const char16_t* cn;
    };
    static const Name names[] = {
        {1, u"Left click", u"左键"},
        {2, u"Right click", u"右键"},
        {3, u"Middle click", u"中键"},
        {4, u"Back", u"后退"},
        {5, u"Forward", u"前进"},
        {6, u"DPI cycle", u"DPI循环"},
        {7, u"Mouse & DPI", u"鼠标与DPI"},
        {8, u"Multimedia", u"多媒体"},
        {9, u"Macros", u"宏"},
        {10, u"Shortcuts", u"快捷功能"},
        {11, u"Double click", u"双击"},
        {12, u"Triple click", u"三连击"},
        {13, u"Fire key", u"连发键"},
        {14, u"Scroll up", u"向上滚动"},
        {15, u"Scroll down", u"向下滚动"},
        {16, u"Disabled", u"禁用"},
        {17, u"DPI up", u"DPI加"},
        {18, u"DPI down", u"DPI减"},
        {19, u"Light on/off", u"灯光开关"},
        {20, u"Reserved", u"保留"},
        {21, u"Play/Pause", u"播放/暂停"},
        {22, u"Next track", u"下一曲"},
        {23, u"Previous track", u"上一曲"},
        {24, u"Volume up", u"音量加"},
        {25, u"Volume down", u"音量减"},
        {26, u"Mute", u"静音"},
        {27, u"Reserved", u"保留"},
        {28, u"Reserved", u"保留"},
        {29, u"Reserved", u"保留"},
        {30, u"Reserved", u"保留"},
        {31, u"Copy (Ctrl+C)", u"复制 (Ctrl+C)"},
        {32, u"Paste (Ctrl+V)", u"粘贴 (Ctrl+V)"},
        {33, u"Select all (Ctrl+A)", u"全选 (Ctrl+A)"},
        {34, u"Undo (Ctrl+Z)", u"撤销 (Ctrl+Z)"},
        {35, u"Close (Alt+F4)", u"关闭窗口 (Alt+F4)"},
        {36, u"Computer", u"我的电脑"},
        {37, u"Lock screen", u"锁定屏幕"},
        {38, u"Calculator", u"计算器"},
        {39, u"Command line", u"命令行"},
        {40, u"Next profile", u"下一配置"},
    };
    for (const Name& n : names) {
        s.funEn[n.code] = u(n.en);
        s.funCn[n.code] = u(n.cn);
    }
    // Codes 41..54 play a macro and show its name; the entries are kept for
    // skin designers and tools that list every code.
    for (int code = 41; code <= 54; ++code) {
        s.funEn[code] = QStringLiteral("Macro %1").arg(code - 40);
        s.funCn[code] = u(u"宏 ") + QString::number(code - 40);
    }
}

} // namespace

Skin describe() {
    Skin s;
    const int w = s.window.width(), h = s.window.height();
    // Chamfered corners and a raised title plate: the window is visibly not a rectangle.
    s.outline = QPolygon({QPoint(18, 10), QPoint(266, 10), QPoint(276, 0), QPoint(524, 0),
                          QPoint(534, 10), QPoint(w - 18, 10), QPoint(w, 28), QPoint(w, h - 18),
                          QPoint(w - 18, h), QPoint(18, h), QPoint(0, h - 18), QPoint(0, 28)});
    s.menu = QSize(180, 10 * s.menuBand + 1);
    s.subMenu = QSize(210, 12 * s.menuBand + 1);
    s.slider = QSize(54, 24);
    describeHeader(s);
    describeMainPage(s);
    describeColorPage(s);
    describeAdvancePage(s);
    describeWarning(s);
    describeFunctions(s);
    for (Row& r : s.color)
        if (r.name.isEmpty())
            r.name = QStringLiteral("free");
    for (Row& r : s.advance)
        if (r.name.isEmpty())
            r.name = QStringLiteral("free");
    return s;
}

} // namespace skin
