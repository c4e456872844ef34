#pragma once
// What a person types into the birth data dialog, and the judgement a panel should give.
#include <gtest/gtest.h>

#include <string>

#include "judgement/judgement.h"
#include "platform/script/script.h"
#include "tests/support/sjis.h"

namespace quorvel::test {

inline constexpr int kName = 108, kMale = 105, kFemale = 106, kYear = 109, kMonth = 1052,
                     kDay = 1053, kHour = 1054;

struct Typed {
    const char* name;
    int sex;  // kMale, kFemale or 0 for no click
    const char *year, *month, *day, *hour;
};

// Types every box (UTF-8 literals, sent as Shift-JIS), chooses the sex, then 実行.
inline void typeBirth(platform::script::ScriptedDialog& d, const Typed& t) {
    d.type(kName, sjis(t.name));
    if (t.sex != 0) {
        d.click(t.sex);
    }
    d.type(kYear, sjis(t.year));
    d.type(kMonth, sjis(t.month));
    d.type(kDay, sjis(t.day));
    d.type(kHour, sjis(t.hour));
    d.click(platform::kIdOk);
}

// The luck-period judgement of two pillars, straight from the core.
inline std::string judgementOf(const char* base, const char* running) {
    JudgementKey key;
    EXPECT_EQ(parseJudgementKey(key, sjis(base), sjis(running)), PillarCheck::Ok);
    char buffer[kJudgementBufferSize];
    composeJudgement(buffer, key, {1, 0});
    return buffer;
}

}  // namespace quorvel::test
