#pragma once
// DATA.CSV: one line per person, seven comma-terminated fields, appended and read here only.
#include <cstddef>
#include <string>
#include <string_view>

#include "consultation/birth_record.h"
#include "consultation/record_list.h"

namespace quorvel {

inline constexpr std::string_view kRecordFileName = "DATA.CSV";
inline constexpr std::size_t kRecordReadLimit = 8192;  // nothing beyond is ever seen
inline constexpr std::size_t kRecordLineSize = 128;    // a 30-byte name and six numbers fit

// "name,male,female,year,month,day,hour," and a line feed, NUL-terminated. The hour field is
// H, H:MM with minutes, or 不明 for an unknown hour; a plain decimal reading of H:MM still
// gives the hour, and of 不明 0, as an earlier reader reads it.
void formatRecordLine(const BirthRecord& record, char (&line)[kRecordLineSize]);

// The first ten records of the text, each field cut to its slot on a character boundary. A line
// that ends before its seventh comma is not taken; reading never passes the end of `text`.
void parseRecordList(std::string_view text, RecordList& list);

// One line (without its line feed) into a slot; false for a line without its seven fields.
bool parseRecordLine(std::string_view line, RecordSlot& slot);

// The caption of a slot's button: name, eight spaces, sex, two spaces, 年月日時生まれ.
void buildRecordLabel(RecordSlot& slot);

// The hour field as a caption shows it: 10時, 10時20分, or 時刻不明 for an unknown hour.
std::string hourCaption(std::string_view hourField);

// True when the slot holds exactly the seven fields the record is written with.
bool slotHoldsRecord(const RecordSlot& slot, const BirthRecord& record);

enum class RecordFileStatus { Read, Missing, Unreadable };
enum class WhenMissing { Create, Leave };

// Reads the list from `path`. Missing: there was no file (the dialog makes an empty one, so the
// user finds where persons are kept; the command-line tool leaves the folder as it is).
// Unreadable: the file exists but could not be opened or read. Otherwise the list is empty.
RecordFileStatus readRecordList(const char* path, RecordList& list,
                                WhenMissing whenMissing = WhenMissing::Create);

enum class AppendResult { Appended, Duplicate, Failed };

// Appends the record's line at the end of `path` (created if missing), in one write under an
// exclusive lock, unless the same record is among the first ten the file holds.
AppendResult appendRecordLine(const char* path, const BirthRecord& record);

// The hour field as this program reads it: 不明 an unknown hour, H:MM an hour with minutes
// (MM two digits, 0-59), anything else the plain decimal reading with no minutes (so empty is 0).
void readHourField(std::string_view field, std::int32_t& hour, std::int32_t& minute);

// Plain decimal conversion as the file's numbers are read: leading spaces, a sign, digits up to
// the first other byte; empty or out-of-range gives 0.
int recordNumber(std::string_view text);

}  // namespace quorvel
