#pragma once
// What two persons' stems and branches do to each other (相性): the stems that combine, the
// branches that combine, harmonise, clash, punish or harm one another, and the day pillars at
// war. Tables of their own: the judgement's 人運 keeps its three relations as they are.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/sexagenary.h"

namespace quorvel {

// In the order the findings list them.
enum class BranchBond : std::uint8_t {
    Combination,  // 支合 (六合)
    HalfHarmony,  // 半会: two branches of one 三合, one of them its middle branch
    Clash,        // 冲
    Punishment,   // 刑
    Harm,         // 害
};
inline constexpr int kBranchBondCount = 5;

// A set of bonds, one bit each by the enum's value.
struct BondSet {
    std::uint8_t bits = 0;
    constexpr bool has(BranchBond bond) const { return (bits >> static_cast<int>(bond) & 1u) != 0; }
    constexpr void add(BranchBond bond) {
        bits = static_cast<std::uint8_t>(bits | 1u << static_cast<int>(bond));
    }
    constexpr bool empty() const { return bits == 0; }
    friend constexpr bool operator==(BondSet, BondSet) = default;
};

// A 三合 trio: its two outer branches around the middle one (子午卯酉), and the element it forms.
struct Trio {
    Branch first;
    Branch middle;
    Branch last;
    Element element;
};
inline constexpr int kTrioCount = 4;
// 申子辰 水, 亥卯未 木, 寅午戌 火, 巳酉丑 金.
const std::array<Trio, kTrioCount>& trios();

// Every bond two branches stand in; the same whichever is named first.
BondSet branchBonds(Branch a, Branch b);

// 干合: 甲己, 乙庚, 丙辛, 丁壬, 戊癸.
bool stemsCombine(Stem a, Stem b);

// 天戦地冲: one stem controls the other and the branches clash.
bool heavenWarEarthClash(CycleIndex a, CycleIndex b);

// Shift-JIS: 支合 半会 冲 刑 害, and a trio's three branches (申子辰).
std::string_view branchBondName(BranchBond bond);
std::string trioText(const Trio& trio);

}  // namespace quorvel
