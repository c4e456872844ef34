// What every backend's tables and resizable dialogs share: the order of cells and where controls
// go when a dialog is made larger.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "platform/dialog_layout.h"
#include "platform/table_order.h"

namespace quorvel::platform {
namespace {

// -1, 0 or 1 as a cell sorts before, with or after another; 2 when either is no number.
int order(std::string_view a, std::string_view b) {
    const std::optional<NumberGroups> x = numberGroups(a);
    const std::optional<NumberGroups> y = numberGroups(b);
    if (!x || !y) {
        return 2;
    }
    const int c = compareNumberGroups(*x, *y);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

TEST(TableOrder, NumbersAndDatesCompareByTheirNumbers) {
    const struct {
        std::string_view a, b;
        int expected;
    } cases[] = {
        {"9", "10", -1},
        {"100", "100", 0},
        {"1990/5/20", "1990/10/3", -1},  // as texts, the other way round
        {"1957/12/4", "1957/2/14", 1},
        {"1990/5", "1990/5/20", -1},
        {"10:30", "9:45", 1},
        {"007", "7", 0},
        {"", "1", 2},
        {"1990/5/", "1", 2},
        {"/5", "1", 2},
        {"1990//5", "1", 2},
        {"-3", "1", 2},
        {" 3", "1", 2},
        {"1/2/3/4/5", "1", 2},            // more groups than a date and a time hold
        {"1234567890123456789", "1", 2},  // a group too long to hold
        {"123456789012345678", "1", 1},
        {"\x82\x50", "1", 2},  // a full-width digit is text
    };
    for (const auto& c : cases) {
        EXPECT_EQ(order(c.a, c.b), c.expected) << c.a << " " << c.b;
    }
    EXPECT_TRUE(numberGroups(std::u16string_view(u"2026/1/31")).has_value());
    EXPECT_FALSE(numberGroups(std::u16string_view(u"２０２６")).has_value());
}

constexpr ControlTemplate kControls[] = {
    {110, ControlKind::Label, "", 7, 6, 286, 8},   // as wide as the table
    {111, ControlKind::Label, "", 7, 17, 100, 8},  // above, narrower
    {120, ControlKind::Table, "", 7, 28, 286, 190},
    {1, ControlKind::Button, "", 7, 224, 44, 14},    // below
    {2, ControlKind::Button, "", 249, 224, 44, 14},  // below, at the right
    {3, ControlKind::Button, "", 249, 5, 44, 14},    // above, at the right
};

TEST(DialogLayout, TheTableGrowsAndWhatIsBelowFollowsTheBottom) {
    const DialogTemplate resizable{"T", "", "", 12, 0, 0, 300, 244, false, kControls, true};
    DialogTemplate fixed = resizable;
    fixed.resizable = false;
    const struct {
        std::size_t control;
        PlacedRect expected;  // placed at twice the units, grown by 30 x 40
    } cases[] = {
        {0, {14, 12, 602, 16}}, {1, {14, 34, 200, 16}},  {2, {14, 56, 602, 420}},
        {3, {14, 488, 88, 28}}, {4, {498, 488, 88, 28}}, {5, {498, 10, 88, 28}},
    };
    for (const auto& c : cases) {
        const ControlTemplate& control = kControls[c.control];
        const PlacedRect placed{control.x * 2, control.y * 2, control.width * 2,
                                control.height * 2};
        EXPECT_EQ(followDialogSize(resizable, resizable.controls[c.control], placed, 30, 40),
                  c.expected)
            << control.id;
        EXPECT_EQ(followDialogSize(fixed, fixed.controls[c.control], placed, 30, 40), placed);
    }
}

}  // namespace
}  // namespace quorvel::platform
