#include "tests/gui/probe_templates.h"

#include <array>
#include <string>

#include "tests/support/sjis.h"

namespace quorvel::test {

namespace {

using enum platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;

struct Texts {
    std::string gothic = sjis("ＭＳ ゴシック");
    std::string pGothic = sjis("ＭＳ Ｐゴシック");
    std::string title = sjis("試験用の画面");
    std::string name = sjis("氏名");
    std::string centred = sjis("中央");
    std::string right = sjis("右寄せ");
    std::string yang = sjis("陽遁");
    std::string yin = sjis("陰遁");
    std::string none = sjis("選択なし");
    std::string execute = sjis("実行");
    std::string cancel = sjis("ｷｬﾝｾﾙ");
    std::string table = sjis("表示");
};

const Texts& texts() {
    static const Texts t;
    return t;
}

struct Templates {
    std::array<ControlTemplate, 12> probeControls;
    std::array<ControlTemplate, 3> noDefaultControls;
    std::array<DialogTemplate, 2> dialogs;

    Templates() {
        const Texts& t = texts();
        probeControls = {{
            {platform::kStaticId, Label, t.name, 4, 4, 30, 8, platform::kStyleNone},
            {110, Label, t.centred, 40, 4, 40, 8, platform::kCentred},
            {111, Label, t.right, 84, 4, 40, 8, platform::kRightAligned},
            {108, Edit, t.table, 4, 16, 60, 13, platform::kAutoHScroll},
            {109, Edit, "", 70, 16, 60, 14, platform::kStyleNone},
            {105, RadioButton, t.yang, 4, 34, 30, 10, platform::kStyleNone},
            {106, RadioButton, t.yin, 40, 34, 30, 10, platform::kStyleNone},
            {107, RadioButton, t.none, 76, 34, 50, 10, platform::kStyleNone},
            {101, Edit, "", 4, 48, 120, 30,
             platform::kMultiLine | platform::kReadOnly | platform::kBorder |
                 platform::kVerticalScroll},
            {1021, Button, t.cancel, 130, 48, 40, 14, platform::kStyleNone},
            {platform::kIdOk, DefaultButton, t.execute, 130, 66, 40, 14, platform::kStyleNone},
            {platform::kStaticId, Icon, "myapp", 140, 4, 0, 0, platform::kStyleNone},
        }};
        noDefaultControls = {{
            {101, Edit, "", 10, 10, 40, 14, platform::kStyleNone},
            {platform::kIdOk, Button, t.execute, 10, 30, 50, 14, platform::kStyleNone},
            {platform::kIdCancel, Button, t.cancel, 70, 30, 50, 14, platform::kStyleNone},
        }};
        dialogs = {{
            {"PROBE", t.title, t.gothic, 12, 0, 0, 180, 90, false, probeControls},
            {"NODEFAULT", t.title, t.pGothic, 12, 0, 0, 130, 50, false, noDefaultControls},
        }};
    }
};

const Templates& templates() {
    static const Templates t;
    return t;
}

}  // namespace

const platform::DialogTemplate& probeTemplate() {
    return templates().dialogs[0];
}

const platform::DialogTemplate& noDefaultTemplate() {
    return templates().dialogs[1];
}

std::span<const platform::DialogTemplate> probeTemplates() {
    return templates().dialogs;
}

}  // namespace quorvel::test
