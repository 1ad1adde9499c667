// The universal save dialogue through the scripted standard dialogue and through its events.
#include <qyx/QYX_filesys.h>
#include <qyx/platform/Dialogs.h>

#include <gtest/gtest.h>

#include "FileSysTempDir.h"

namespace qyx {
namespace {

class UnivSaveDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDialogService(nullptr);
        HeadlessDialogs()->Reset();
    }
    void TearDown() override { HeadlessDialogs()->Reset(); }

    static TDialogAnswer Answer(const std::string& Name) {
        TDialogAnswer a;
        a.FileName = Name;
        return a;
    }

    test::TTempDir Dir;
    TUnivSaveDialog Dlg{nullptr};
};

TEST_F(UnivSaveDialogTest, StandardDialogueGetsTheParametersAndForcesTheExtension) {
    Dlg.SetName("Saver");
    Dlg.SetParameters(R"(filter="Data|*.dat" ext=dat caption="Save data" initialdir=")" + Dir.Path() + "\"");
    Dlg.SetFileName("proposed.dat");
    HeadlessDialogs()->PushFileAnswer(Answer(Dir.Path() + "result.txt"));
    ASSERT_TRUE(Dlg.Execute());
    EXPECT_EQ(Dlg.GetFileName(), Dir.Path() + "result.dat");
    const auto& req = HeadlessDialogs()->GetRequests();
    ASSERT_EQ(req.size(), 1u);
    EXPECT_EQ(req[0].Kind, dkSave);
    EXPECT_EQ(req[0].Filter, "Data|*.dat");
    EXPECT_EQ(req[0].Title, "Save data");
    EXPECT_EQ(req[0].InitialDir, Dir.Path());
    EXPECT_EQ(req[0].FileName, "proposed.dat");

    // The chosen name is proposed again next time; a cancel keeps it and returns false.
    EXPECT_FALSE(Dlg.Execute());
    EXPECT_EQ(HeadlessDialogs()->GetRequests().back().FileName, Dir.Path() + "result.dat");
    EXPECT_EQ(Dlg.GetFileName(), Dir.Path() + "result.dat");
}

TEST_F(UnivSaveDialogTest, ExistingFileAsksUntilTheReplyDecides) {
    const std::string existing = Dir.Path() + "a.txt";
    { std::ofstream(existing) << "x"; }
    int asked = 0;
    std::vector<int> replies{IDNO, IDYES};
    Dlg.OnOverwrite = [&](TObject* Sender, const std::string& Name, int& Reply) {
        EXPECT_EQ(Sender, &Dlg);
        EXPECT_EQ(Name, existing);
        EXPECT_EQ(Reply, IDNO); // preset
        Reply = replies[asked++];
    };
    HeadlessDialogs()->PushFileAnswer(Answer(existing));
    HeadlessDialogs()->PushFileAnswer(Answer(existing));
    EXPECT_TRUE(Dlg.Execute());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(HeadlessDialogs()->GetRequests().size(), 2u);

    // A cancel reply ends with false; an absent file needs no question.
    replies = {IDCANCEL};
    asked = 0;
    HeadlessDialogs()->PushFileAnswer(Answer(existing));
    EXPECT_FALSE(Dlg.Execute());
    HeadlessDialogs()->PushFileAnswer(Answer(Dir.Path() + "new.txt"));
    asked = 0;
    EXPECT_TRUE(Dlg.Execute());
    EXPECT_EQ(asked, 0);
}

TEST_F(UnivSaveDialogTest, ErrorsUseTheComponentMessages) {
    Dlg.SetName("Saver");
    auto expectError = [&](const std::string& Message) {
        try {
            Dlg.Execute();
            ADD_FAILURE() << "no error for " << Message;
        } catch (const EQYXFileSysError& e) {
            EXPECT_EQ(std::string(e.what()), "Component \"Saver\": " + Message);
        }
    };
    TDialogAnswer failure;
    failure.Ok = false;
    failure.ErrorCode = 0x3002;
    HeadlessDialogs()->PushFileAnswer(failure);
    expectError("Error in standard dialog (errnum = $3002).");

    const std::string existing = Dir.Path() + "b.txt";
    { std::ofstream(existing) << "x"; }
    HeadlessDialogs()->PushFileAnswer(Answer(existing));
    expectError("Overwrite dialog is not assigned");

    Dlg.OnOverwrite = [](TObject*, const std::string&, int& Reply) { Reply = 1; };
    HeadlessDialogs()->PushFileAnswer(Answer(existing));
    expectError("Invalid reply argument from overwrite dialog");

    Dlg.SetUseStandardDialog(false);
    expectError("File select dialog is not assigned");
}

TEST_F(UnivSaveDialogTest, EventsReplaceTheDialogueAndTheExistenceTest) {
    Dlg.SetUseStandardDialog(false);
    Dlg.SetParameters("mode=fast ext=dat");
    std::string seenParams;
    Dlg.OnFileSelect = [&](TObject*, const std::string& Params, int& Action, std::string& Name) {
        seenParams = Params;
        EXPECT_EQ(Action, IDCANCEL);
        Action = IDOK;
        Name = "virtual.bin";
    };
    // Without OnFileCheck the file counts as absent; the extension is left as chosen.
    EXPECT_TRUE(Dlg.Execute());
    EXPECT_EQ(seenParams, "mode=fast ext=dat");
    EXPECT_EQ(Dlg.GetFileName(), "virtual.bin");
    EXPECT_TRUE(HeadlessDialogs()->GetRequests().empty());

    Dlg.OnFileCheck = [](TObject*, const std::string&, bool& Exists) { Exists = true; };
    Dlg.OnOverwrite = [](TObject*, const std::string&, int& Reply) { Reply = IDYES; };
    EXPECT_TRUE(Dlg.Execute());

    Dlg.OnFileSelect = [](TObject*, const std::string&, int&, std::string&) {};
    EXPECT_FALSE(Dlg.Execute());
}

TEST_F(UnivSaveDialogTest, ParametersAsNumbers) {
    Dlg.SetName("Saver");
    Dlg.SetParameters(R"(count=" -42xyz" big=99999999999 scale="1,5e2" name='a b')");
    EXPECT_EQ(Dlg.ExtractParamAsInt("count"), -42);
    EXPECT_EQ(Dlg.ExtractParamAsInt("COUNT"), -42);
    EXPECT_EQ(Dlg.ExtractParamAsInt("big"), 2147483647);
    EXPECT_DOUBLE_EQ(Dlg.ExtractParamAsDouble("scale"), 150.0);
    EXPECT_EQ(Dlg.ExtractParamAsString("missing"), "");
    try {
        Dlg.ExtractParamAsDouble("missing");
        ADD_FAILURE();
    } catch (const EQYXFileSysError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Component \"Saver\": missing is not specified in property Parameters");
    }
    EXPECT_THROW(Dlg.ExtractParamAsInt("missing"), EQYXFileSysError);
}

} // namespace
} // namespace qyx
