#pragma once
// The sixty-cycle: ten stems, twelve branches and the sixty pillars they form.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// Ordinals 1-10 in the fixed order 甲乙丙丁戊己庚辛壬癸.
enum class Stem : std::int8_t {
    Kinoe = 1,   // 甲
    Kinoto,      // 乙
    Hinoe,       // 丙
    Hinoto,      // 丁
    Tsuchinoe,   // 戊
    Tsuchinoto,  // 己
    Kanoe,       // 庚
    Kanoto,      // 辛
    Mizunoe,     // 壬
    Mizunoto,    // 癸
};

// Ordinals 1-12 in the fixed order 子丑寅卯辰巳午未申酉戌亥.
enum class Branch : std::int8_t {
    Ne = 1,   // 子
    Ushi,     // 丑
    Tora,     // 寅
    U,        // 卯
    Tatsu,    // 辰
    Mi,       // 巳
    Uma,      // 午
    Hitsuji,  // 未
    Saru,     // 申
    Tori,     // 酉
    Inu,      // 戌
    I,        // 亥
};

enum class Element : std::int8_t { Wood, Fire, Earth, Metal, Water };

// 1 = 甲子 ... 60 = 癸亥.
using CycleIndex = std::int32_t;
inline constexpr CycleIndex kCycleLength = 60;

constexpr bool isCycleIndex(CycleIndex n) {
    return n >= 1 && n <= kCycleLength;
}

// The number by which tables address a stem: 甲=1 ... 壬=9, 癸=0.
constexpr int stemNumber(CycleIndex n) {
    return n % 10;
}
// The number by which tables address a branch: 子=1 ... 戌=11, 亥=0.
constexpr int branchNumber(CycleIndex n) {
    return n % 12;
}
constexpr bool isYangStem(int stemNo) {
    return stemNo % 2 != 0;
}

// The index k places after n, wrapping around the cycle (k may be negative).
constexpr CycleIndex stepPillar(CycleIndex n, int k) {
    const int offset = (n - 1 + k) % kCycleLength;
    return (offset < 0 ? offset + kCycleLength : offset) + 1;
}

constexpr Stem stemOf(CycleIndex n) {
    return static_cast<Stem>((n - 1) % 10 + 1);
}
constexpr Branch branchOf(CycleIndex n) {
    return static_cast<Branch>((n - 1) % 12 + 1);
}
// The stem of a stem number 0-9 and the branch of a branch number 0-11.
constexpr Stem stemOfNumber(int stemNo) {
    return static_cast<Stem>(stemNo == 0 ? 10 : stemNo);
}
constexpr Branch branchOfNumber(int branchNo) {
    return static_cast<Branch>(branchNo == 0 ? 12 : branchNo);
}

constexpr int ordinal(Stem s) {
    return static_cast<int>(s);
}
constexpr int ordinal(Branch b) {
    return static_cast<int>(b);
}
constexpr bool isYang(Stem s) {
    return ordinal(s) % 2 != 0;
}
// Stems go in pairs: 甲乙 wood, 丙丁 fire, 戊己 earth, 庚辛 metal, 壬癸 water.
constexpr Element elementOf(Stem s) {
    return static_cast<Element>((ordinal(s) - 1) / 2);
}

// Shift-JIS texts: one character (two bytes) for a stem or branch, two for a pillar.
std::string_view stemText(Stem s);
std::string_view branchText(Branch b);
std::string_view pillarTextView(CycleIndex n);

// Copies the pillar text of n (1-60) into an 8-byte slot, NUL-terminated.
void pillarText(CycleIndex n, char (&slot)[8]);

// The index whose pillar text equals `text` exactly, terminating zero included: no trimming, no
// other written form.
std::optional<CycleIndex> findPillar(const char* text);
std::optional<CycleIndex> findPillar(std::string_view text);

}  // namespace quorvel
