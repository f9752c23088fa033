// The dialog log and the choice of facade from the environment.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "runtime/ui/DialogsFromEnvironment.h"
#include "runtime/ui/LoggingDialogs.h"
#include "runtime/ui/QtDialogs.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

std::vector<QJsonObject> readLog(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<QJsonObject> lines;
    std::string line;
    while (std::getline(in, line)) {
        QJsonParseError error{};
        const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        lines.push_back(doc.object());
    }
    return lines;
}

std::string str(const QJsonObject& line, const char* key) {
    return line.value(QLatin1String(key)).toString().toStdString();
}

std::unique_ptr<LoggingDialogs> logged(std::vector<std::string> answers, const std::string& log) {
    std::string error;
    auto dialogs =
        LoggingDialogs::open(std::make_unique<ScriptedDialogs>(std::move(answers)), log, error);
    EXPECT_TRUE(dialogs) << error;
    return dialogs;
}

TEST(LoggingDialogs, WritesOneJsonLinePerDialogAsSoonAsItIsAnswered) {
    test::TempDir dir;
    const std::string log = dir.file("dialogs.log");
    auto dialogs = logged({"No", "/data/a.csv", "2", "Arial,9,255,700"}, log);
    dialogs->message("Invalid Key", "Songs key file is invalid.|Rebuild?", MessageIcon::Question,
                     Button::Yes | Button::No, Button::Yes);
    // Readable while the facade is still alive: nothing waits in a buffer.
    ASSERT_EQ(readLog(log).size(), 1u);
    dialogs->openFile("Import File", "Import Files|*.CSV", "/data");
    dialogs->popup("&Add|-|&Change");
    dialogs->font("Choose Font", FontChoice{"Arial", 10, Colour(), 400});
    dialogs->halt("Invalid Key!");

    const auto lines = readLog(log);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], (QJsonObject{{"kind", "message"},
                                     {"title", "Invalid Key"},
                                     {"text", "Songs key file is invalid.|Rebuild?"},
                                     {"icon", "question"},
                                     {"buttons", QJsonArray{"Yes", "No"}},
                                     {"default", "Yes"},
                                     {"initial", ""},
                                     {"answer", "No"}}));
    EXPECT_EQ(str(lines[1], "kind"), "openFile");
    EXPECT_EQ(str(lines[1], "text"), "Import Files|*.CSV");
    EXPECT_EQ(str(lines[1], "initial"), "/data");
    EXPECT_EQ(str(lines[1], "answer"), "/data/a.csv");
    EXPECT_EQ(str(lines[2], "answer"), "2");
    EXPECT_EQ(str(lines[3], "initial"), "Arial,10,-1,400");
    EXPECT_EQ(str(lines[3], "answer"), "Arial,9,255,700");
    EXPECT_EQ(str(lines[4], "kind"), "halt");
    EXPECT_EQ(str(lines[4], "text"), "Invalid Key!");
}

TEST(LoggingDialogs, EscapesQuotesLineBreaksControlsAndUnicode) {
    test::TempDir dir;
    const std::string log = dir.file("dialogs.log");
    const std::string awkward = "She said \"hi\"\\\nnext\r\tline \x01 Björk 東京 🎵";
    {
        auto dialogs = logged({}, log);
        dialogs->message(awkward, awkward, MessageIcon::Warning, Button::Ok, Button::Ok);
        dialogs->halt(awkward);
    }
    std::ifstream in(log, std::ios::binary);
    std::stringstream raw;
    raw << in.rdbuf();
    // Exactly two lines: the line breaks inside the texts were escaped.
    const std::string text = raw.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    const auto lines = readLog(log);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(str(lines[0], "title"), awkward);
    EXPECT_EQ(str(lines[0], "text"), awkward);
    EXPECT_EQ(str(lines[1], "text"), awkward);
}

TEST(LoggingDialogs, AppendsToAnExistingLogAndReportsOneThatCannotOpen) {
    test::TempDir dir;
    const std::string log = dir.file("dialogs.log");
    logged({}, log)->popup("A");
    logged({}, log)->popup("B");
    EXPECT_EQ(readLog(log).size(), 2u);

    std::string error;
    EXPECT_EQ(
        LoggingDialogs::open(std::make_unique<ScriptedDialogs>(), dir.file("no/dir/x.log"), error),
        nullptr);
    EXPECT_NE(error.find("no/dir/x.log"), std::string::npos);
}

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DialogsFromEnvironment, ScriptedAndLoggedWhenAsked) {
    test::TempDir dir;
    const std::string answers = dir.file("answers.txt"), log = dir.file("log.jsonl");
    std::ofstream(answers, std::ios::binary) << "Yes\r\n/x/songs.csv\r\n\r\n2\n";
    const ScopedEnv a("CDZ_DIALOG_ANSWERS", answers), l("CDZ_DIALOG_LOG", log);

    std::string error;
    auto dialogs = dialogsFromEnvironment(error);
    ASSERT_TRUE(dialogs) << error;
    EXPECT_EQ(
        dialogs->message("Q", "?", MessageIcon::Question, Button::Yes | Button::No, Button::No),
        Button::Yes);
    EXPECT_EQ(dialogs->openFile("Import File", "Import Files|*.CSV", ""), "/x/songs.csv");
    EXPECT_EQ(dialogs->saveFile("Export File", "Export Files|*.CSV", ""), std::nullopt);
    EXPECT_EQ(dialogs->popup("a|b"), 2);
    EXPECT_EQ(dialogs->popup("a|b"), 0);  // out of answers
    EXPECT_EQ(readLog(log).size(), 5u);

    // The answers of a log replay the run.
    std::ofstream replay(dir.file("replay.txt"), std::ios::binary);
    for (const QJsonObject& line : readLog(log)) replay << str(line, "answer") << '\n';
    replay.close();
    const auto replayed = readDialogAnswers(dir.file("replay.txt"), error);
    ASSERT_TRUE(replayed);
    EXPECT_EQ(*replayed, (std::vector<std::string>{"Yes", "/x/songs.csv", "", "2", "0"}));
}

TEST(DialogsFromEnvironment, QtUnlessAnswersAreGiven) {
    unsetenv("CDZ_DIALOG_ANSWERS");
    unsetenv("CDZ_DIALOG_LOG");
    std::string error;
    auto plain = dialogsFromEnvironment(error);
    EXPECT_NE(dynamic_cast<QtDialogs*>(plain.get()), nullptr);

    test::TempDir dir;
    const ScopedEnv l("CDZ_DIALOG_LOG", dir.file("log.jsonl"));
    auto withLog = dialogsFromEnvironment(error);
    auto* logging = dynamic_cast<LoggingDialogs*>(withLog.get());
    ASSERT_NE(logging, nullptr);
    EXPECT_NE(dynamic_cast<QtDialogs*>(&logging->inner()), nullptr);
}

TEST(DialogsFromEnvironment, UnreadableAnswerFileIsAnError) {
    test::TempDir dir;
    const ScopedEnv a("CDZ_DIALOG_ANSWERS", dir.file("missing.txt"));
    std::string error;
    EXPECT_EQ(dialogsFromEnvironment(error), nullptr);
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
}

}  // namespace
}  // namespace cdz
