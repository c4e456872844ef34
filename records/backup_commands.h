#pragma once
// ファイル › バックアップ and 復元: DATA.CSV, QUORVEL.DB and the result files of the working
// folder, copied into a dated folder and brought back from one.
namespace quorvel {

struct ConsultationState;

// Asks for a folder and writes DATA.CSV, a consistent copy of QUORVEL.DB and the result files
// (.TXT, .DOC, .html) into a new folder Quorvel-YYYYMMDD-HHMMSS inside it.
void runBackupCommand(ConsultationState& state);

// Asks for the folder of a backup and, after a question, puts its DATA.CSV and QUORVEL.DB in
// place; the current files are kept aside under dated names.
void runRestoreCommand(ConsultationState& state);

}  // namespace quorvel
