#include "records/casebook_view.h"

#include "common/search_fold.h"
#include "common/sjis_utf8.h"

namespace quorvel {

namespace {

constexpr std::size_t kDateLength = 10;  // YYYY-MM-DD of a history entry's time

// The newest version of a person the file holds, and where its line last stands.
struct Newest {
    int version = -1;
    std::size_t index = 0;
};

}  // namespace

CasebookView viewCasebook(const PersonList& list, const Casebook& casebook) {
    CasebookView view;
    view.persons.resize(list.persons.size());
    std::unordered_map<std::int64_t, Newest> newest;
    std::unordered_map<std::string_view, std::size_t> keptAt;  // a kept line's last index
    for (std::size_t i = 0; i < list.persons.size(); ++i) {
        const CasebookLine* kept = casebook.find(list.persons[i].key);
        view.persons[i].kept = kept;
        if (kept == nullptr) {
            continue;
        }
        // What it corrected stands before it, as it was appended after.
        if (const auto corrected = keptAt.find(kept->supersedes); corrected != keptAt.end()) {
            view.persons[i].supersedes = static_cast<int>(corrected->second) + 1;
        }
        keptAt[kept->key] = i;
        Newest& best = newest[kept->person];
        if (kept->version >= best.version) {
            best = {kept->version, i};
        }
    }
    for (PersonStanding& standing : view.persons) {
        const CasebookLine* kept = standing.kept;
        if (kept == nullptr) {
            continue;
        }
        const Newest& best = newest[kept->person];
        if (kept->version < best.version) {
            standing.supersededBy = static_cast<int>(best.index) + 1;
            ++view.supersededCount;
        } else if (kept->hidden) {
            ++view.hiddenCount;
        }
        if (standing.supersedes == 0) {
            if (const auto corrected = keptAt.find(kept->supersedes); corrected != keptAt.end()) {
                standing.supersedes = static_cast<int>(corrected->second) + 1;
            }
        }
        standing.hidden = kept->hidden;
        standing.hasNote = !kept->note.empty();
        standing.lastConsultation = kept->lastConsultation.substr(0, kDateLength);
        if (standing.hasNote && !view.foldedNotes.contains(kept->person)) {
            view.foldedNotes.emplace(kept->person, foldForSearch(kept->note));
        }
    }
    return view;
}

bool showsPerson(const CasebookView& view, std::size_t index, bool withHidden) {
    if (index >= view.persons.size()) {
        return false;
    }
    const PersonStanding& standing = view.persons[index];
    return standing.supersededBy == 0 && (withHidden || !standing.hidden);
}

std::vector<std::size_t> searchPersonsAndNotes(const PersonList& list, const CasebookView& view,
                                               std::string_view sjisWord) {
    std::vector<std::size_t> byName = searchPersons(list, sjisWord);
    const std::string word = foldForSearch(sjisToUtf8(sjisWord));
    if (word.empty() || view.foldedNotes.empty()) {
        return byName;
    }
    std::vector<std::size_t> found;
    auto named = byName.begin();
    for (std::size_t i = 0; i < list.persons.size() && i < view.persons.size(); ++i) {
        const bool byNameHere = named != byName.end() && *named == i;
        if (byNameHere) {
            ++named;
        }
        const CasebookLine* kept = view.persons[i].kept;
        bool inNote = false;
        if (!byNameHere && kept != nullptr && !kept->note.empty()) {
            const auto note = view.foldedNotes.find(kept->person);
            inNote = note != view.foldedNotes.end() && note->second.find(word) != std::string::npos;
        }
        if (byNameHere || inNote) {
            found.push_back(i);
        }
    }
    return found;
}

}  // namespace quorvel
