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
    const CasebookLine* const first = casebook.lines.data();
    // Where each kept line last stands in the file, by its place in the casebook.
    std::vector<int> keptAt(casebook.lines.size(), -1);
    const auto standsAt = [&](const std::string& key) {
        const CasebookLine* line = key.empty() ? nullptr : casebook.find(key);
        return line == nullptr ? -1 : keptAt[static_cast<std::size_t>(line - first)];
    };
    std::unordered_map<std::int64_t, Newest> newest;
    for (std::size_t i = 0; i < list.persons.size(); ++i) {
        const CasebookLine* kept = casebook.find(list.persons[i].key);
        view.persons[i].kept = kept;
        if (kept == nullptr) {
            continue;
        }
        // What it corrected stands before it, as it was appended after.
        view.persons[i].supersedes = standsAt(kept->supersedes) + 1;
        keptAt[static_cast<std::size_t>(kept - first)] = static_cast<int>(i);
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
            standing.supersedes = standsAt(kept->supersedes) + 1;
        }
        standing.hidden = kept->hidden;
        standing.hasNote = !kept->note.empty();
        standing.lastConsultation = kept->lastConsultation.substr(0, kDateLength);
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
    if (word.empty()) {
        return byName;
    }
    // Folded at the first search, not for a list that is never searched.
    if (!view.notesFolded) {
        for (const PersonStanding& standing : view.persons) {
            const CasebookLine* kept = standing.kept;
            if (kept != nullptr && standing.hasNote && !view.foldedNotes.contains(kept->person)) {
                view.foldedNotes.emplace(kept->person, foldForSearch(kept->note));
            }
        }
        view.notesFolded = true;
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
