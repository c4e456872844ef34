#include "reading/compatibility_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/compatibility_document.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

// One chart for each of the sixty day pillars: the days from 1 January 2000 on, at noon.
std::vector<FullChart> everyDayPillar() {
    std::vector<FullChart> charts(kCycleLength + 1);
    for (int d = 0; d < kCycleLength; ++d) {
        const int month = d < 31 ? 1 : 2;
        const auto chart = readFullChart(
            {2000, month, month == 1 ? d + 1 : d - 30, 12, d % 2 ? Sex::Male : Sex::Female});
        EXPECT_TRUE(chart.has_value());
        charts[static_cast<std::size_t>(chart->chart.dayPillar.index)] = *chart;
    }
    return charts;
}

bool holdsPlaceholder(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            return true;
        }
    }
    return false;
}

// Every pair of day pillars: each paragraph filled in, the day stems told once for a relation
// the same both ways and twice otherwise, a war or a combination named in the summary.
TEST(CompatibilityText, EveryPairOfDayPillarsIsToldWhole) {
    const std::vector<FullChart> charts = everyDayPillar();
    const std::string war = sjis("天戦地冲");
    const std::string combine = sjis("干合");
    for (CycleIndex x = 1; x <= kCycleLength; ++x) {
        for (CycleIndex y = 1; y <= kCycleLength; ++y) {
            const FullChart& a = charts[static_cast<std::size_t>(x)];
            const FullChart& b = charts[static_cast<std::size_t>(y)];
            const Compatibility c = readCompatibility(a, b, 2025, 2);
            const std::string document =
                compatibilityDocument(c, {a, b, sjis("山田太郎"), {}}, "\n");
            ASSERT_FALSE(holdsPlaceholder(document)) << x << " " << y;
            const CompatibilityTexts t = compatibilityTexts(c, {a, b, {}, {}});
            EXPECT_EQ(t.dayStems.size(), (c.aToB == c.bToA ? 1u : 2u) + (c.stemsCombine ? 1u : 0u));
            EXPECT_EQ(t.summary.find(war) != std::string::npos, c.heavenWarEarthClash);
            EXPECT_EQ(t.summary.find(combine) != std::string::npos, c.stemsCombine);
            EXPECT_EQ(t.branches.size(), c.branches.size());
            ASSERT_FALSE(t.dayStems.empty());
            // A nameless second person is Ｂ.
            EXPECT_NE(document.find(sjis("Ｂ")), std::string::npos);
        }
    }
}

TEST(CompatibilityText, TheFileAndTheBirthAreNamedAsTheWindowNamesThem) {
    EXPECT_EQ(compatibilityFileName(sjis("山田太郎"), sjis("山田花子")),
              sjis("山田太郎・山田花子相性.TXT"));
    struct Case {
        int hour, minute;
        const char* text;
    };
    for (const Case& k : {Case{10, kMinutesUnknown, "1990年5月20日10時生まれ"},
                          Case{10, 5, "1990年5月20日10時5分生まれ"},
                          Case{kHourUnknown, kMinutesUnknown, "1990年5月20日生まれ(時刻不明)"}}) {
        BirthData birth{1990, 5, 20, k.hour, Sex::Male};
        birth.minute = k.minute;
        EXPECT_EQ(birthText(birth), sjis(k.text));
    }
}

}  // namespace
}  // namespace quorvel
