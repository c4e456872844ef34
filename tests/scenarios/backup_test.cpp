// ファイル › バックアップ and 復元: the data file, the casebook and the result files.
#include <filesystem>
#include <string>

#include "resources/command_ids.h"
#include "store/quorvel_store.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::script::answerMessageBoxes;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::sjis;

class Backup : public test::Scenario {
  protected:
    void typeFolder(const std::string& folder) {
        whenDialogOpens("FOLDER", [folder](ScriptedDialog& d) {
            d.type(101, folder);
            d.click(platform::kIdOk);
        });
    }
    static std::string note() { return QuorvelStore::open({}).note(kLine); }
    static constexpr std::string_view kLine = "Taro,1,0,1990,5,20,10,";
};

TEST_F(Backup, ARestoreBringsBackTheFileAndTheNotesAndKeepsTheCurrentOnesAside) {
    const std::string data = std::string(kLine) + "\n";
    writeFile(folder() / "DATA.CSV", data);
    writeFile(folder() / "TaroRESULT.TXT", "judged");
    ASSERT_EQ(QuorvelStore::open({}).saveNote(kLine, "first visit"), StoreWrite::Done);

    typeFolder("bk");
    command(kCommandBackup);
    std::filesystem::path made;
    for (const auto& entry : std::filesystem::directory_iterator(folder() / "bk")) {
        made = entry.path();
    }
    ASSERT_FALSE(made.empty());
    EXPECT_EQ(readFile(made / "DATA.CSV"), data);
    EXPECT_EQ(readFile(made / "TaroRESULT.TXT"), "judged");

    writeFile(folder() / "DATA.CSV", data + "Hana,0,1,2000,1,19,12,\n");
    ASSERT_EQ(QuorvelStore::open({}).saveNote(kLine, "changed"), StoreWrite::Done);

    // No: nothing changes; Yes: both files come back.
    for (const auto& [answer, expectedData, expectedNote] :
         {std::tuple{MessageAnswer::No, data + "Hana,0,1,2000,1,19,12,\n", "changed"},
          std::tuple{MessageAnswer::Yes, data, "first visit"}}) {
        typeFolder(made.string());
        if (answer == MessageAnswer::Yes) {
            answerMessageBoxes({answer, MessageAnswer::Ok});  // the question, then the outcome
        } else {
            answerMessageBoxes({answer});
        }
        command(kCommandRestore);
        EXPECT_EQ(readFile(folder() / "DATA.CSV"), expectedData);
        EXPECT_EQ(note(), expectedNote);
    }
    int aside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
        const std::string name = entry.path().filename().string();
        aside += name.starts_with("DATA.CSV.before-restore-") ||
                 name.starts_with("QUORVEL.DB.before-restore-");
    }
    EXPECT_EQ(aside, 2);

    // A folder without a backup is told and changes nothing.
    typeFolder("nowhere");
    answerMessageBoxes({MessageAnswer::Ok});
    command(kCommandRestore);
    EXPECT_EQ(readFile(folder() / "DATA.CSV"), data);
}

}  // namespace
}  // namespace quorvel
