#include "calendar/commanding_stem.h"

namespace quorvel {

namespace {

using enum Stem;
using enum HiddenKind;

// The table most Japanese books print, by branch ordinal (子 first).
constexpr HiddenByDays kClassical[12] = {
    {{{Mizunoe, Residual, 10}, {Mizunoto, Main, 20}}, 2},                         // 子
    {{{Mizunoto, Residual, 9}, {Kanoto, Middle, 3}, {Tsuchinoto, Main, 18}}, 3},  // 丑
    {{{Tsuchinoe, Residual, 7}, {Hinoe, Middle, 7}, {Kinoe, Main, 16}}, 3},       // 寅
    {{{Kinoe, Residual, 10}, {Kinoto, Main, 20}}, 2},                             // 卯
    {{{Kinoto, Residual, 9}, {Mizunoto, Middle, 3}, {Tsuchinoe, Main, 18}}, 3},   // 辰
    {{{Tsuchinoe, Residual, 5}, {Kanoe, Middle, 9}, {Hinoe, Main, 16}}, 3},       // 巳
    {{{Hinoe, Residual, 10}, {Tsuchinoto, Middle, 9}, {Hinoto, Main, 11}}, 3},    // 午
    {{{Hinoto, Residual, 9}, {Kinoto, Middle, 3}, {Tsuchinoto, Main, 18}}, 3},    // 未
    {{{Tsuchinoe, Residual, 10}, {Mizunoe, Middle, 3}, {Kanoe, Main, 17}}, 3},    // 申
    {{{Kanoe, Residual, 10}, {Kanoto, Main, 20}}, 2},                             // 酉
    {{{Kanoto, Residual, 9}, {Hinoto, Middle, 3}, {Tsuchinoe, Main, 18}}, 3},     // 戌
    {{{Tsuchinoe, Residual, 7}, {Kinoe, Middle, 5}, {Mizunoe, Main, 18}}, 3},     // 亥
};

// Where the other two tables part from it.
constexpr HiddenByDays kSimplifiedMi = {
    {{Tsuchinoe, Residual, 7}, {Kanoe, Middle, 7}, {Hinoe, Main, 16}}, 3};
constexpr HiddenByDays kSimplifiedUma = {
    {{Hinoe, Residual, 10}, {Tsuchinoto, Middle, 10}, {Hinoto, Main, 10}}, 3};
// The 算命学 table keeps only the main stem of 子卯酉 and gives 午 and 亥 two.
constexpr HiddenByDays kSanmeiNe = {{{Mizunoto, Main, 30}}, 1};
constexpr HiddenByDays kSanmeiU = {{{Kinoto, Main, 30}}, 1};
constexpr HiddenByDays kSanmeiTori = {{{Kanoto, Main, 30}}, 1};
constexpr HiddenByDays kSanmeiUma = {{{Tsuchinoto, Middle, 19}, {Hinoto, Main, 11}}, 2};
constexpr HiddenByDays kSanmeiI = {{{Kinoe, Residual, 12}, {Mizunoe, Main, 18}}, 2};

constexpr double kMinutesPerDay = 24.0 * 60.0;

}  // namespace

HiddenByDays hiddenByDays(Branch b, HiddenTable table) {
    if (table == HiddenTable::Simplified) {
        if (b == Branch::Mi) {
            return kSimplifiedMi;
        }
        if (b == Branch::Uma) {
            return kSimplifiedUma;
        }
    } else if (table == HiddenTable::Sanmei) {
        switch (b) {
            case Branch::Ne:
                return kSanmeiNe;
            case Branch::U:
                return kSanmeiU;
            case Branch::Tori:
                return kSanmeiTori;
            case Branch::Uma:
                return kSanmeiUma;
            case Branch::I:
                return kSanmeiI;
            default:
                break;
        }
    }
    return kClassical[ordinal(b) - 1];
}

HiddenSpan commandingSpan(const HiddenByDays& spans, double elapsedDays) {
    if (spans.count < 1 || spans.count > 3) {
        return {};
    }
    int end = 0;
    for (int i = 0; i + 1 < spans.count; ++i) {
        end += spans.spans[i].days;
        if (elapsedDays < end) {
            return spans.spans[i];
        }
    }
    return spans.spans[spans.count - 1];
}

double commandingDays(std::int64_t minutesSinceTerm, bool countTermDay) {
    const double days =
        minutesSinceTerm > 0 ? static_cast<double>(minutesSinceTerm) / kMinutesPerDay : 0.0;
    return countTermDay ? days + 1.0 : days;
}

}  // namespace quorvel
