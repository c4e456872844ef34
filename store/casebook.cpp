#include "store/casebook.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <string>

#include "store/store_texts.h"

namespace quorvel {

namespace {

constexpr std::array<std::string_view, 6> kKindWords = {
    "judgement", "hexagram", "avoidance", "report", "output", "compat",
};

// The length of the UTF-8 sequence `lead` begins, and the least value it may carry (shorter
// forms of a character are refused); 0 for a byte that begins none.
struct Lead {
    int length;
    char32_t least;
};

Lead leadOf(unsigned char lead) {
    if (lead < 0x80) {
        return {1, 0};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return {3, 0x800};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return {4, 0x10000};
    }
    return {0, 0};
}

}  // namespace

NoteCheck checkNote(std::string_view utf8) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const Lead form = leadOf(lead);
        if (form.length == 0 || lead == 0 ||
            utf8.size() - i < static_cast<std::size_t>(form.length)) {
            return NoteCheck::NotUtf8;
        }
        char32_t value =
            form.length == 1 ? char32_t{lead} : static_cast<char32_t>(lead & (0x7F >> form.length));
        for (int k = 1; k < form.length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return NoteCheck::NotUtf8;
            }
            value = (value << 6) | (next & 0x3F);
        }
        if (value < form.least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return NoteCheck::NotUtf8;
        }
        i += static_cast<std::size_t>(form.length);
        if (++characters > kNoteCharacterLimit) {
            return NoteCheck::TooLong;
        }
    }
    return NoteCheck::Ok;
}

std::string_view noteCheckMessage(NoteCheck check) {
    switch (check) {
        case NoteCheck::Ok:
            return {};
        case NoteCheck::TooLong:
            return text::noteTooLongText;
        case NoteCheck::NotUtf8:
            break;
    }
    return text::noteNotUtf8Text;
}

std::string_view storeWriteMessage(StoreWrite outcome) {
    switch (outcome) {
        case StoreWrite::Done:
            return {};
        case StoreWrite::Refused:
            return text::storeRefusedText;
        case StoreWrite::Busy:
            return text::storeBusyText;
        case StoreWrite::ReadOnly:
            return text::storeReadOnlyText;
        case StoreWrite::Failed:
            break;
    }
    return text::storeFailedText;
}

std::string_view historyKindWord(HistoryKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kKindWords.size() ? kKindWords[index] : std::string_view();
}

std::optional<HistoryKind> historyKindOf(std::string_view word) {
    const auto found = std::find(kKindWords.begin(), kKindWords.end(), word);
    if (found == kKindWords.end()) {
        return std::nullopt;
    }
    return static_cast<HistoryKind>(found - kKindWords.begin());
}

std::string_view historyKindLabel(HistoryKind kind) {
    switch (kind) {
        case HistoryKind::Judgement:
            return text::judgementKindLabel;
        case HistoryKind::Hexagram:
            return text::hexagramKindLabel;
        case HistoryKind::Avoidance:
            return text::avoidanceKindLabel;
        case HistoryKind::Report:
            return text::reportKindLabel;
        case HistoryKind::OutputFile:
            return text::outputKindLabel;
        case HistoryKind::Compat:
            break;
    }
    return text::compatKindLabel;
}

std::string periodText(const HistoryPeriod& period) {
    std::string out;
    switch (period.source) {
        case PeriodSource::None:
            return out;
        case PeriodSource::Luck:
            out.append(text::luckPeriodLabel);
            break;
        case PeriodSource::Year:
            if (period.year != 0) {
                out.append(std::to_string(period.year)).append(text::periodYearUnit);
            }
            if (period.month != 0) {
                out.append(std::to_string(period.month)).append(text::periodMonthUnit);
            }
            if (period.day != 0) {
                out.append(std::to_string(period.day)).append(text::periodDayUnit);
            }
            break;
        case PeriodSource::Typed:
            break;
    }
    if (!out.empty() && !period.pillar.empty()) {
        out += ' ';
    }
    return out.append(period.pillar);
}

std::string historyTimeNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = "";
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", local) == 0) {
        return "0000-00-00T00:00:00";
    }
    return text;
}

const CasebookLine* Casebook::find(std::string_view key) const {
    const auto found = std::lower_bound(lines.begin(), lines.end(), key,
                                        [](const CasebookLine& line, std::string_view k) {
                                            return std::string_view(line.key) < k;
                                        });
    return found != lines.end() && found->key == key ? &*found : nullptr;
}

}  // namespace quorvel
