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
#include "reading/fortune_calendar.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

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

// The marks a shown text holds, read back from the page's own characters.
std::string marksShown(const std::string& utf8Text) {
    return marksText(marksOf(sjis(utf8Text)));
}

std::vector<std::string> partsText(const JudgementParts& parts) {
    std::vector<std::string> each;
    for (const std::string_view part :
         {parts.heaven, parts.earth, parts.human[0], parts.human[1]}) {
        if (!part.empty()) {
            each.push_back(utf8(part));
        }
    }
    return each;
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

        // The person.
        EXPECT_EQ(page.text("//title"), std::string(c.name) + " 鑑定書");
        EXPECT_EQ(page.text("//*[@id='name']"), c.name);
        EXPECT_EQ(page.text("//*[@id='sex']"), c.sex);
        EXPECT_EQ(page.text("//*[@id='birth']"), std::to_string(c.birth.year) + "年" +
                                                     std::to_string(c.birth.month) + "月" +
                                                     std::to_string(c.birth.day) + "日" +
                                                     std::to_string(c.birth.hour) + "時生まれ");
        EXPECT_EQ(page.text("//*[@id='age']"), c.age);

        // The full chart: the four pillars, the day stem as the person, the stages, the voids.
        std::vector<std::string> pillars, stages;
        for (const PillarReading& r : full.pillars) {
            pillars.push_back(utf8(pillarTextView(r.pillar)));
            stages.push_back(utf8(growthStageLabel(r.stage)));
        }
        EXPECT_EQ(page.texts("//section[@id='chart']//td[@class='pillar']"), pillars);
        EXPECT_EQ(page.texts("//section[@id='chart']//td[@class='stage']"), stages);
        EXPECT_EQ(page.texts("//section[@id='chart']//td[@class='relation']")[kDayPosition],
                  "本人");
        EXPECT_EQ(page.all("//section[@id='chart']//td[@class='hidden']").size(), 4u);
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
                      marksText(judgementMarks(day, p, kLuckPeriod)))
                << k;
            EXPECT_EQ(Page::attribute(g, "class"), k == current ? "luck now" : "luck") << k;
        }

        // The years of the current and the next period (or up to the first's end), each with the
        // marks its judgement shows.
        const std::vector<xmlNodePtr> years = page.all("//section[@id='years']//tr[@data-year]");
        const int firstAge = current >= 0 ? full.chart.luckPillars[current].fromAge : 0;
        const int lastAge = current >= 0 ? firstAge + 19 : full.chart.startAge + 9;
        ASSERT_EQ(years.size(), static_cast<std::size_t>(lastAge - firstAge + 1));
        int nowRows = 0;
        for (std::size_t i = 0; i < years.size(); ++i) {
            const int y = c.birth.year + firstAge + static_cast<int>(i);
            const PeriodMarks m = judgementMarks(day, yearPillarOf(y), kCalendarPeriod);
            EXPECT_EQ(Page::attribute(years[i], "data-year"), std::to_string(y));
            EXPECT_EQ(Page::attribute(years[i], "data-marks"), marksText(m)) << y;
            std::string cells;
            for (xmlNodePtr td = years[i]->children; td != nullptr; td = td->next) {
                if (Page::attribute(td, "class") == "marks") {
                    cells += Page::text(td);
                }
            }
            EXPECT_EQ(cells, marksText(m)) << y;
            nowRows += Page::attribute(years[i], "class") == "now" ? 1 : 0;
        }
        EXPECT_EQ(nowRows, 1);

        // The judgements: the whole texts, and the marks they show are the judgement's.
        const auto judgement = [&](const char* id, CycleIndex running, PeriodFlags period) {
            SCOPED_TRACE(id);
            const JudgementKey key{stemNumber(day), branchNumber(day), stemNumber(running),
                                   branchNumber(running)};
            const std::vector<std::string> parts = partsText(judgementParts(key, period));
            const std::string path = "//section[@id='" + std::string(id) + "']";
            const std::vector<std::string> shown = page.texts(path + "/p");
            EXPECT_EQ(shown, parts);
            std::string marks;
            for (const std::string& p : shown) {
                marks += marksShown(p);
            }
            const std::string expected = marksText(judgementMarks(day, running, period));
            EXPECT_EQ(marks, expected);
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

}  // namespace
}  // namespace quorvel
