#pragma once
// The person list as the casebook sees it: for each line of DATA.CSV whether it is the current
// version of its person, hidden, noted, when last consulted. One pass over the list and one bulk
// read of the store; fit for 100,000 persons.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/person_list.h"
#include "store/casebook.h"

namespace quorvel {

struct PersonStanding {
    // The record number (1-based index into PersonList::persons) of the person's current
    // version when this line is superseded; 0 when this line is current.
    int supersededBy = 0;
    // The record number of the line this one corrected; 0 when none (or no longer in the file).
    int supersedes = 0;
    bool hidden = false;
    bool hasNote = false;
    std::string lastConsultation;        // "YYYY-MM-DD"; empty when never
    const CasebookLine* kept = nullptr;  // into the Casebook given; null when nothing is kept
};

struct CasebookView {
    std::vector<PersonStanding> persons;  // parallel to PersonList::persons
    std::size_t supersededCount = 0;      // lines not current (the list's status line)
    std::size_t hiddenCount = 0;          // current lines hidden
    // Each noted person's note folded for search (common/search_fold.h), by CasebookLine::person;
    // made by the first search that needs it, which is why it may change in a const view.
    mutable std::unordered_map<std::int64_t, std::string> foldedNotes;
    mutable bool notesFolded = false;
};

// A person's current line is its newest version the file still holds (a line edited by hand
// away falls back to the one before); several lines with the current bytes are all current, as
// every identical line is the same person. The view points into `casebook`, which must outlive it.
CasebookView viewCasebook(const PersonList& list, const Casebook& casebook);

// Whether the list shows record `index` (0-based): current, and not hidden unless asked.
bool showsPerson(const CasebookView& view, std::size_t index, bool withHidden);

// searchPersons with the notes: the indices whose name (or birth year) or note holds the word.
std::vector<std::size_t> searchPersonsAndNotes(const PersonList& list, const CasebookView& view,
                                               std::string_view sjisWord);

}  // namespace quorvel
