#include "reading/branch_bonds.h"

#include "judgement/relations.h"
#include "reading/compatibility_texts.h"

namespace quorvel {

namespace {

using enum Branch;

// Each branch's partner in the six combinations, in the clash and in the six harms, by branch
// ordinal 子 ... 亥.
constexpr Branch kCombinationPartner[12] = {Ushi,    Ne,  I,  Inu,   Tori, Saru,
                                            Hitsuji, Uma, Mi, Tatsu, U,    Tora};
constexpr Branch kClashPartner[12] = {Uma, Hitsuji, Saru, Tori, Inu,   I,
                                      Ne,  Ushi,    Tora, U,    Tatsu, Mi};
constexpr Branch kHarmPartner[12] = {Hitsuji, Uma, Mi, Tatsu, U,    Tora,
                                     Ushi,    Ne,  I,  Inu,   Tori, Saru};

// The punishments as Japanese practice counts them: any two of 寅巳申 and of 丑戌未, 子 with 卯,
// and 辰 午 酉 亥 each with itself.
constexpr Branch kPunishments[][2] = {
    {Tora, Mi}, {Mi, Saru},     {Saru, Tora}, {Ushi, Inu},  {Inu, Hitsuji}, {Hitsuji, Ushi},
    {Ne, U},    {Tatsu, Tatsu}, {Uma, Uma},   {Tori, Tori}, {I, I},
};

constexpr std::array<Trio, kTrioCount> kTrios = {{
    {Saru, Ne, Tatsu, Element::Water},
    {I, U, Hitsuji, Element::Wood},
    {Tora, Uma, Inu, Element::Fire},
    {Mi, Tori, Ushi, Element::Metal},
}};

bool halfHarmony(Branch a, Branch b) {
    for (const Trio& t : kTrios) {
        if ((a == t.middle && (b == t.first || b == t.last)) ||
            (b == t.middle && (a == t.first || a == t.last))) {
            return true;
        }
    }
    return false;
}

bool punishes(Branch a, Branch b) {
    for (const auto& pair : kPunishments) {
        if ((pair[0] == a && pair[1] == b) || (pair[0] == b && pair[1] == a)) {
            return true;
        }
    }
    return false;
}

}  // namespace

const std::array<Trio, kTrioCount>& trios() {
    return kTrios;
}

BondSet branchBonds(Branch a, Branch b) {
    const int i = ordinal(a) - 1;
    BondSet bonds;
    if (kCombinationPartner[i] == b) {
        bonds.add(BranchBond::Combination);
    }
    if (halfHarmony(a, b)) {
        bonds.add(BranchBond::HalfHarmony);
    }
    if (kClashPartner[i] == b) {
        bonds.add(BranchBond::Clash);
    }
    if (punishes(a, b)) {
        bonds.add(BranchBond::Punishment);
    }
    if (kHarmPartner[i] == b) {
        bonds.add(BranchBond::Harm);
    }
    return bonds;
}

bool stemsCombine(Stem a, Stem b) {
    const int d = ordinal(a) - ordinal(b);
    return d == 5 || d == -5;
}

bool heavenWarEarthClash(CycleIndex a, CycleIndex b) {
    // The relations in which one stem controls the other: 偏財 正財 seen from the controller,
    // 偏官 正官 from the controlled.
    switch (stemRelation(stemOf(a), stemOf(b))) {
        case StemRelation::Investment:
        case StemRelation::Saving:
        case StemRelation::Reform:
        case StemRelation::Endurance:
            return branchBonds(branchOf(a), branchOf(b)).has(BranchBond::Clash);
        default:
            return false;
    }
}

std::string_view branchBondName(BranchBond bond) {
    return text::compatBranchBondNames[static_cast<int>(bond)];
}

std::string trioText(const Trio& trio) {
    return std::string(branchText(trio.first)) + std::string(branchText(trio.middle)) +
           std::string(branchText(trio.last));
}

}  // namespace quorvel
