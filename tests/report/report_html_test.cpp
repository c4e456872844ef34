#include "report/report_html.h"

#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>
#include <vector>

#include "calendar/chart_details.h"
#include "judgement/hexagram_tables.h"
#include "judgement/judgement.h"
#include "judgement/text_tables.h"
#include "reading/compatibility.h"
#include "reading/fortune_calendar.h"
#include "report/yearly_review.h"
#include "tests/support/marks_shown.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::marksShown;
using test::sjis;
using test::utf8;

// The report as a browser would read it, queried by XPath.
class Page {
  public:
    explicit Page(const std::string& html)
        : doc_(htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                              HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
               xmlFreeDoc) {}

    bool parsed() const { return doc_ != nullptr; }

    std::vector<xmlNodePtr> all(const std::string& path) const {
        std::vector<xmlNodePtr> nodes;
        const std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
            xmlXPathNewContext(doc_.get()), xmlXPathFreeContext);
        const std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path.c_str()), context.get()),
            xmlXPathFreeObject);
        if (found && found->nodesetval) {
            for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
                nodes.push_back(found->nodesetval->nodeTab[i]);
            }
        }
        return nodes;
    }

    std::vector<std::string> texts(const std::string& path) const {
        std::vector<std::string> out;
        for (const xmlNodePtr node : all(path)) {
            out.push_back(text(node));
        }
        return out;
    }

    std::string text(const std::string& path) const {
        const std::vector<xmlNodePtr> nodes = all(path);
        return nodes.empty() ? "(none)" : text(nodes.front());
    }

    static std::string text(xmlNodePtr node) {
        xmlChar* content = xmlNodeGetContent(node);
        std::string out = content != nullptr ? reinterpret_cast<const char*>(content) : "";
        xmlFree(content);
        return out;
    }

    static std::string attribute(xmlNodePtr node, const char* name) {
        xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
        std::string out = value != nullptr ? reinterpret_cast<const char*>(value) : "(none)";
        xmlFree(value);
        return out;
    }

  private:
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc_;
};

std::string marksText(const MarkList& list) {
    std::string out;
    for (int i = 0; i < list.count; ++i) {
        out += utf8(gradeMarkText(list.marks[i]));
    }
    return out;
}

std::string marksText(const PeriodMarks& m) {
    return marksText(m.heaven) + marksText(m.earth) + marksText(m.human);
}

// The pieces of the parts, as the separators between them part them.
std::vector<std::string> partsText(const JudgementParts& parts) {
    std::vector<std::string> each;
    for (const std::string_view part :
         {parts.heaven, parts.earth, parts.human[0], parts.human[1]}) {
        std::string text = utf8(part);
        const std::string separator = utf8(kTextSeparator);
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find(separator, at), text.size());
            if (end > at) {
                each.push_back(text.substr(at, end - at));
            }
            at = end + separator.size();
        }
    }
    return each;
}

std::string without(std::string text, std::string_view part) {
    for (std::size_t at; (at = text.find(part)) != std::string::npos;) {
        text.erase(at, part.size());
    }
    return text;
}

std::vector<std::string> readingLines(std::string_view reading) {
    std::vector<std::string> lines;
    std::string text = utf8(reading);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line != "\r") {
            lines.push_back(line);
        }
        at = end + 1;
    }
    return lines;
}

TEST(Report, EveryItemIsThereAndItsMarksAreTheJudgements) {
    const struct {
        const char* name;
        BirthData birth;
        ReportDate today;
        const char* sex;
        const char* age;
    } cases[] = {
        {"山田<&>\"太郎'", {1990, 5, 20, 10, Sex::Male}, {2026, 12, 7}, "男性", "満36歳"},
        {"花子", {1990, 5, 20, 10, Sex::Female}, {2026, 5, 19}, "女性", "満35歳"},
        // A day pillar of the centre number (丙寅): both hexagram readings.
        {"中宮", {2000, 1, 9, 12, Sex::Male}, {2026, 1, 1}, "男性", "満25歳"},
        // Before the first luck period: no period's judgement, the years up to the first's end.
        {"幼子", {2025, 6, 1, 12, Sex::Female}, {2026, 1, 10}, "女性", "満0歳"},
    };
    int allWarnedRows = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = sjis(c.name);
        const std::optional<std::string> html = buildReport({name, c.birth, c.today});
        ASSERT_TRUE(html.has_value());
        const Page page(*html);
        ASSERT_TRUE(page.parsed());
        const FullChart full = *readFullChart(c.birth);
        const CycleIndex day = full.chart.dayPillar.index;
        const int thisYear = c.today.year;
        const CycleIndex yearPillar = yearPillarOf(thisYear);
        const int current = luckInForce(full.chart, ageInYear(c.birth, thisYear));

        // Self-contained: its own style, no script, nothing fetched.
        EXPECT_EQ(page.all("//head/style").size(), 1u);
        EXPECT_TRUE(page.all("//script | //*[@src] | //link | //*[@href]").empty());
        EXPECT_NE(html->find("@page { size: A4"), std::string::npos);
        EXPECT_NE(html->find("sans-serif"), std::string::npos);
        // Every printed page: the name at its head (any character of it that could end the
        // style sheet or the string written by its code), the page number at its foot.
        const std::string style = page.text("//head/style");
        EXPECT_NE(style.find("@top-left { content: \"" +
                             (c.birth.year == 1990 && c.birth.sex == Sex::Male
                                  ? std::string("山田\\3c \\26 \\3e \\22 太郎\\27 ")
                                  : std::string(c.name)) +
                             " 鑑定書\""),
                  std::string::npos);
        EXPECT_NE(style.find("@bottom-center { content: counter(page)"), std::string::npos);

        // The person.
        EXPECT_EQ(page.text("//title"), std::string(c.name) + " 鑑定書");
        EXPECT_EQ(page.text("//*[@id='name']"), c.name);
        EXPECT_EQ(page.text("//*[@id='sex']"), c.sex);
        EXPECT_EQ(page.text("//*[@id='birth']"), std::to_string(c.birth.year) + "年" +
                                                     std::to_string(c.birth.month) + "月" +
                                                     std::to_string(c.birth.day) + "日" +
                                                     std::to_string(c.birth.hour) + "時生まれ");
        EXPECT_EQ(page.text("//*[@id='age']"), c.age);

        // The full chart, right to left as the 命式表 window draws it: the four pillars, each
        // relation with its common name, the day stem as the person, the stages, the voids.
        std::vector<std::string> pillars, stages, relations, commanding;
        for (const int p : {kHourPosition, kDayPosition, kMonthPosition, kYearPosition}) {
            const PillarReading& r = full.pillars[p];
            commanding.push_back(utf8(stemText(r.commanding.stem)) +
                                 utf8(hiddenKindName(r.commandingKind)));
            pillars.push_back(utf8(stemText(r.stem.stem)) + utf8(branchText(r.branch)));
            stages.push_back(utf8(growthStageLabel(r.stage)));
            relations.push_back(r.stem.relation
                                    ? utf8(stemRelationLabel(*r.stem.relation)) + "(" +
                                          utf8(commonRelationName(*r.stem.relation)) + ")"
                                    : "本人");
        }
        EXPECT_EQ(
            page.texts("//section[@id='chart']//th[text()]"),
            (std::vector<std::string>{"時柱", "日柱", "月柱", "年柱", "天干", "通変星", "地支",
                                      "蔵干", "蔵干通変星", "十二運", "特殊星", "蔵干の内訳"}));
        const std::vector<std::string> stems =
            page.texts("//section[@id='chart']//td[@class='stem']");
        const std::vector<xmlNodePtr> branches =
            page.all("//section[@id='chart']//td[@class='branch']");
        ASSERT_EQ(stems.size(), 4u);
        ASSERT_EQ(branches.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            // A void branch carries its mark after the branch.
            EXPECT_EQ(stems[i] + Page::text(branches[i]).substr(0, 3), pillars[i]) << i;
        }
        EXPECT_EQ(page.texts("//section[@id='chart']//td[@class='stage']"), stages);
        EXPECT_EQ(page.texts("//section[@id='chart']//td[@class='relation']"), relations);
        EXPECT_EQ(page.all("//section[@id='chart']//td[@class='hidden']").size(), 4u);
        EXPECT_EQ(page.texts("//section[@id='chart']//td[@class='commanding']"), commanding);
        EXPECT_EQ(page.text("//*[@id='void']"),
                  "空亡 " + utf8(branchText(full.voids[0])) + utf8(branchText(full.voids[1])));
        for (const char* id : {"elements", "terms", "direction"}) {
            EXPECT_EQ(page.all("//*[@id='" + std::string(id) + "']").size(), 1u) << id;
        }

        // The timeline: ten periods, each with the marks of its judgement; the current marked.
        const std::vector<xmlNodePtr> luck =
            page.all("//section[@id='timeline']//*[local-name()='g']");
        ASSERT_EQ(luck.size(), static_cast<std::size_t>(kLuckPillarCount));
        for (int k = 0; k < kLuckPillarCount; ++k) {
            const CycleIndex p = full.chart.luckPillars[k].pillar.index;
            const xmlNodePtr g = luck[static_cast<std::size_t>(k)];
            EXPECT_EQ(Page::attribute(g, "data-pillar"), utf8(pillarTextView(p))) << k;
            EXPECT_EQ(Page::attribute(g, "data-marks"),
                      marksText(judgementMarks(day, p, kLuckPeriod, c.birth.sex)))
                << k;
            EXPECT_EQ(Page::attribute(g, "class"), k == current ? "luck now" : "luck") << k;
        }

        // The years of the current and the next period (or up to the first's end), each with the
        // marks its judgement shows; those with ★★ or ● stand out.
        const std::vector<xmlNodePtr> years = page.all("//section[@id='years']//tr[@data-year]");
        const int firstAge = current >= 0 ? full.chart.luckPillars[current].fromAge : 0;
        const int lastAge = current >= 0 ? firstAge + 19 : full.chart.startAge + 9;
        ASSERT_EQ(years.size(), static_cast<std::size_t>(lastAge - firstAge + 1));
        int nowRows = 0;
        int warnedRows = 0;
        for (std::size_t i = 0; i < years.size(); ++i) {
            const int y = c.birth.year + firstAge + static_cast<int>(i);
            const PeriodMarks m =
                judgementMarks(day, yearPillarOf(y), kCalendarPeriod, c.birth.sex);
            EXPECT_EQ(Page::attribute(years[i], "data-year"), std::to_string(y));
            EXPECT_EQ(Page::attribute(years[i], "data-marks"), marksText(m)) << y;
            std::string cells;
            for (xmlNodePtr td = years[i]->children; td != nullptr; td = td->next) {
                if (Page::attribute(td, "class") == "marks") {
                    cells += Page::text(td);
                }
            }
            EXPECT_EQ(cells, marksText(m)) << y;
            const std::string cls = Page::attribute(years[i], "class");
            nowRows += cls.starts_with("now") ? 1 : 0;
            EXPECT_EQ(cls.ends_with("warned"), isWarning(m)) << y;
            warnedRows += isWarning(m) ? 1 : 0;
        }
        EXPECT_EQ(nowRows, 1);
        allWarnedRows += warnedRows;

        // The judgements: the whole texts, a line for each piece (the 天運 label with its common
        // name); the marks given for them are the person's, the text keeps both marriage lines.
        const auto judgement = [&](const char* id, CycleIndex running, PeriodFlags period) {
            SCOPED_TRACE(id);
            const JudgementKey key{stemNumber(day), branchNumber(day), stemNumber(running),
                                   branchNumber(running)};
            std::vector<std::string> parts = partsText(judgementParts(key, period));
            const StemRelation relation = stemRelation(stemOf(day), stemOf(running));
            parts[0] += "(" + utf8(commonRelationName(relation)) + ")";
            const std::string path = "//section[@id='" + std::string(id) + "']";
            const std::vector<std::string> shown = page.texts(path + "/div[@class='part']/p");
            EXPECT_EQ(shown, parts);
            std::string marks;
            for (const std::string& p : shown) {
                marks += marksShown(p);
            }
            const std::string expected =
                marksText(judgementMarks(day, running, period, c.birth.sex));
            const Sex marriage = heavenMarks(stemOf(day), stemOf(running)).marriage;
            EXPECT_EQ(without(marks, "☆"), without(expected, "☆"));
            EXPECT_EQ(marks.find("☆") != std::string::npos, marriage != Sex::Unset);
            EXPECT_EQ(expected.find("☆") != std::string::npos, marriage == c.birth.sex);
            EXPECT_EQ(Page::attribute(page.all(path)[0], "data-marks"), expected);
        };
        judgement("year-judgement", yearPillar, kCalendarPeriod);
        if (current >= 0) {
            judgement("luck-judgement", full.chart.luckPillars[current].pillar.index, kLuckPeriod);
        } else {
            EXPECT_TRUE(page.all("//section[@id='luck-judgement']").empty());
        }

        // The hexagram reading of the year; both readings where the day pillar needs a choice.
        std::vector<std::string> reading;
        std::string_view text;
        if (findHexagram(pillarTextView(day), Dun::None, pillarTextView(yearPillar), text) ==
            HexagramCheck::Ok) {
            reading = readingLines(text);
            EXPECT_TRUE(page.all("//section[@id='hexagram']/h3").empty());
        } else {
            for (const Dun dun : {Dun::Yang, Dun::Yin}) {
                ASSERT_EQ(findHexagram(pillarTextView(day), dun, pillarTextView(yearPillar), text),
                          HexagramCheck::Ok);
                for (const std::string& line : readingLines(text)) {
                    reading.push_back(line);
                }
            }
            EXPECT_EQ(page.all("//section[@id='hexagram']/h3").size(), 2u);
        }
        EXPECT_FALSE(reading.empty());
        EXPECT_EQ(page.texts("//section[@id='hexagram']/p"), reading);
    }
    EXPECT_GT(allWarnedRows, 0);
}

TEST(Report, TheBirthAsReadItsRulesTimesAndNotices) {
    BirthData classic{1990, 5, 20, 10, Sex::Male};
    BirthData fukuoka = classic;
    fukuoka.minute = 20;
    fukuoka.place = prefectureBirthplace(findPrefecture(sjis("福岡県")));
    fukuoka.rules = preciseRules(DayChangeRule::Split);
    BirthData unknown = classic;
    unknown.hour = kHourUnknown;
    BirthData typed = fukuoka;
    typed.place = typedBirthplace(129.5);
    typed.hour = 11;
    typed.minute = 10;
    const struct {
        const char* what;
        BirthData birth;
        const char* birthLine;
        const char* rules;
        const char* times;
        const char* leftStem;  // of the leftmost pillar
        const char* direction;
        std::vector<std::string> notices;
    } cases[] = {
        {"the classic reading",
         classic,
         "1990年5月20日10時生まれ",
         "命式の流儀：古典(夏時刻は考慮しない、日本標準時、23時は翌日の子の刻、節入りは暦表の時刻)",
         "標準時 10時",
         "辛",
         "大運 順行 立運5歳8ヶ月",
         {}},
        {"精密 in Fukuoka",
         fukuoka,
         "1990年5月20日10時20分生まれ 福岡県",
         "命式の流儀：精密(夏時刻を標準時に直す、地方平均時、23時は翌日の子の刻、節入りは分単位)",
         "標準時 10時20分 / 地方平均時 10時1分",
         "辛",
         "大運 順行 立運5歳7ヶ月",
         {}},
        {"a typed longitude, 22 minutes behind 135°E",
         typed,
         "1990年5月20日11時10分生まれ 東経129.50度",
         "命式の流儀：精密(夏時刻を標準時に直す、地方平均時、23時は翌日の子の刻、節入りは分単位)",
         "標準時 11時10分 / 地方平均時 10時48分",
         "辛",
         "大運 順行 立運5歳7ヶ月",
         {"地方時に直したため、時計の時刻で読んだ時柱(壬午)とは異なります"}},
        {"an unknown hour",
         unknown,
         "1990年5月20日時刻不明",
         "命式の流儀：古典(夏時刻は考慮しない、日本標準時、23時は翌日の子の刻、節入りは暦表の時刻)",
         "生まれた時刻は不明です",
         "乙",
         "大運 順行 立運5歳8ヶ月",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<std::string> html = buildReport({"x", c.birth, {2026, 1, 1}});
        ASSERT_TRUE(html.has_value());
        const Page page(*html);
        EXPECT_EQ(page.text("//*[@id='birth']"), c.birthLine);
        EXPECT_EQ(page.text("//*[@id='rules']"), c.rules);
        EXPECT_EQ(page.text("//*[@id='times']"), c.times);
        EXPECT_EQ(page.text("//*[@id='direction']"), c.direction);
        // The hour pillar stands at the left; without an hour the day pillar does.
        const std::vector<std::string> leftColumn = page.texts("//table[@class='chart']//tr/td[1]");
        ASSERT_EQ(leftColumn.size(), 8u);
        EXPECT_EQ(leftColumn[0], c.leftStem);
        EXPECT_EQ(page.texts("//table[@class='chart']//tr[1]/th[text()]").size(),
                  c.birth.hour == kHourUnknown ? 3u : 4u);
        EXPECT_EQ(page.texts("//section[@id='chart']/p[@class='notice']"), c.notices);
    }
}

TEST(Report, ABirthTheCalendarCannotComputeOrADayBeforeItGivesNoReport) {
    for (const BirthData& birth :
         {BirthData{1990, 5, 20, 10, Sex::Unset}, BirthData{1800, 1, 1, 0, Sex::Male},
          BirthData{1990, 2, 30, 10, Sex::Female}}) {
        EXPECT_FALSE(buildReport({"x", birth, {2026, 1, 1}}).has_value());
    }
    // Made the day before the birth: no age to show.
    EXPECT_FALSE(buildReport({"x", {2026, 5, 20, 10, Sex::Male}, {2026, 5, 19}}).has_value());
    EXPECT_TRUE(buildReport({"x", {2026, 5, 20, 10, Sex::Male}, {2026, 5, 20}}).has_value());
    EXPECT_EQ(reportFileName(sjis("山田")), sjis("山田鑑定書.html"));
}

// Made for two, the report gains 相性: the partner's chart beside the person's, a paragraph for
// each finding, the years from this one with whom each threatens, the summary; made for one, none.
TEST(Report, ASecondPersonAddsTheCompatibilitySection) {
    const BirthData taro{1990, 5, 20, 10, Sex::Male};
    const BirthData hanako{1992, 3, 1, 8, Sex::Female};
    const std::string name = sjis("山田太郎");
    const std::string partnerName = sjis("山田花子");
    const auto html = buildReport({name, taro, {2025, 6, 1}, ReportPartner{partnerName, hanako}});
    ASSERT_TRUE(html.has_value());
    const Page page(*html);
    ASSERT_TRUE(page.parsed());
    EXPECT_EQ(page.text("//section[@id='compatibility']/h2"), "相性 山田太郎・山田花子");
    EXPECT_EQ(
        page.texts("//section[@id='compatibility']/table[@class='pair']//td[@class='pillar']"),
        (std::vector<std::string>{"庚午", "壬申", "辛巳", "壬寅", "乙酉", "丙子", "辛巳", "壬辰"}));
    EXPECT_EQ(page.all("//div[@id='compatibility-stems']/p").size(), 2u);
    EXPECT_EQ(page.all("//div[@id='compatibility-branches']/p").size(), 7u);
    EXPECT_EQ(page.all("//div[@id='compatibility-war']").size(), 0u);

    const Compatibility c =
        readCompatibility(*readFullChart(taro), *readFullChart(hanako), 2025, 11);
    const std::vector<xmlNodePtr> rows =
        page.all("//div[@id='compatibility-years']//tr[@data-year]");
    ASSERT_EQ(rows.size(), c.years.size());
    static constexpr const char* kThreats[] = {"neither", "a", "b", "both"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Page::attribute(rows[i], "data-year"),
                  std::to_string(2025 + static_cast<int>(i)));
        EXPECT_EQ(Page::attribute(rows[i], "data-threatened"),
                  kThreats[static_cast<int>(c.years[i].threat)]);
        EXPECT_EQ(Page::attribute(rows[i], "class"),
                  c.years[i].threat == Threat::Neither ? "" : "warned");
    }
    EXPECT_NE(page.text("//div[@id='compatibility-summary']/p"), "(none)");

    const auto alone = buildReport({name, taro, {2025, 6, 1}});
    ASSERT_TRUE(alone.has_value());
    EXPECT_TRUE(Page(*alone).all("//section[@id='compatibility']").empty());
    EXPECT_FALSE(
        buildReport(
            {name, taro, {2025, 6, 1}, ReportPartner{partnerName, {1992, 3, 1, 8, Sex::Unset}}})
            .has_value());
}

}  // namespace
}  // namespace quorvel
