#include "generate/templates.h"

#include "support/file_system.h"
#include "support/path.h"
#include "tests/support/failing_file_services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace vellumark {
namespace {

using namespace std::string_literals;
using testing::TempFolder;
constexpr char kSep = path::kSeparator;

class RecordingList : public TemplateList {
 public:
  std::vector<std::string> calls;
  void Clear() override { calls.push_back("clear"); }
  void AddItem(std::string_view name) override { calls.emplace_back(name); }
};

// A program folder with a templates folder and helpers to fill it.
class TemplateSets : public ::testing::Test {
 protected:
  TempFolder program;

  void MakeSet(std::string_view name) const {
    for (std::string_view file : Templates::kFiles) {
      program.Write("Templates/" + std::string(name) + "/" + std::string(file), std::string(file) + "\r\n");
    }
  }
  void WriteTemplate(std::string_view set, int index, std::string_view bytes) const {
    program.Write("Templates/" + std::string(set) + "/" + std::string(Templates::kFiles[index]), bytes);
  }
};

TEST_F(TemplateSets, FolderNameIsBesideTheProgramAndIsCreated) {
  const Templates templates(program.Path());
  EXPECT_EQ(templates.FolderName(), program / "Templates" + kSep);
  EXPECT_TRUE(FileSystem().IsFolder(templates.FolderName()));
  const Templates again(program.Path() + kSep);
  EXPECT_EQ(again.FolderName(), templates.FolderName());
}

TEST_F(TemplateSets, CheckWantsEveryFileAsAFile) {
  MakeSet("Complete");
  const Templates templates(program.Path());
  EXPECT_TRUE(templates.Check("Complete"));
  EXPECT_FALSE(templates.Check("Missing"));
  for (std::size_t i = 0; i < Templates::kFiles.size(); ++i) {
    const std::string set = "Without" + std::to_string(i);
    MakeSet(set);
    const std::string file = program / "Templates/" + set + "/" + std::string(Templates::kFiles[i]);
    ASSERT_TRUE(NativeFileServices().RemoveFile(file));
    EXPECT_FALSE(templates.Check(set)) << Templates::kFiles[i];
    ASSERT_TRUE(NativeFileServices().CreateFolder(file));
    EXPECT_FALSE(templates.Check(set)) << Templates::kFiles[i] << " as a folder";
  }
}

TEST_F(TemplateSets, CheckTakesOnlyOneFolderName) {
  MakeSet("Inside");
  // A complete set lying beside the templates folder and one inside it.
  for (std::string_view file : Templates::kFiles) program.Write(std::string(file), "x");
  for (std::string_view file : Templates::kFiles) program.Write("Templates/" + std::string(file), "x");
  const Templates templates(program.Path());
  EXPECT_FALSE(templates.Check(""));
  EXPECT_FALSE(templates.Check("."));
  EXPECT_FALSE(templates.Check(".."));
  EXPECT_FALSE(templates.Check("Inside/."));
  EXPECT_FALSE(templates.Check("Inside\\."));
  EXPECT_EQ(templates.Generate("..", 0, 0, true, -1, {}), "");
}

TEST_F(TemplateSets, EnumerateListsCompleteSetsOnly) {
  MakeSet("beta");
  MakeSet("Alpha");
  MakeSet(".hidden");
  MakeSet("Incomplete");
  NativeFileServices().RemoveFile(program / "Templates/Incomplete/footer.html");
  program.Write("Templates/loose-file.html", "x");
  program.Write("Templates/Alpha/images/logo.png", "png");
  const Templates templates(program.Path());
  RecordingList list;
  list.calls = {"old"};
  EXPECT_TRUE(templates.Enumerate(list));
  EXPECT_EQ(list.calls, (std::vector<std::string>{"old", "clear", "Alpha", "beta"}));
}

TEST_F(TemplateSets, EnumerateFailsWhenTheFolderCannotBeListedButNotWhenItIsMissing) {
  MakeSet("Default");
  testing::FailingFileServices services;
  const Templates templates(program.Path(), services);
  services.unlistable.insert(templates.FolderName());
  RecordingList list;
  EXPECT_FALSE(templates.Enumerate(list));
  EXPECT_EQ(list.calls, std::vector<std::string>{"clear"});
  // The program folder "missing" does not exist, so neither can its templates folder.
  EXPECT_TRUE(Templates(program / "missing").Enumerate(list));
  // A file in the templates folder's place is there but cannot be listed.
  program.Write("file/Templates", "");
  EXPECT_FALSE(Templates(program / "file").Enumerate(list));
  EXPECT_EQ(list.calls, (std::vector<std::string>{"clear", "clear", "clear"}));
}

TEST_F(TemplateSets, GenerateReadsTheFileAtItsPosition) {
  MakeSet("Default");
  WriteTemplate("Default", 4, "<a href=\"%%URL%%\">%%TITLE%%</a>\r\n");
  ASSERT_TRUE(NativeFileServices().SetAttributes(program / "Templates/Default/folderlink.html", attribute::kReadOnly));
  const Templates templates(program.Path());
  EXPECT_EQ(templates.Generate("Default", 4, 2, false, -1, {{"%%URL%%", "u.html"}, {"%%TITLE%%", "T"}}),
            "  <a href=\"u.html\">T</a>");
  EXPECT_EQ(templates.Generate("Default", 8, 0, true, -1, {}), "index.html\r\n");
}

TEST_F(TemplateSets, GenerateGivesNothingOnAnyError) {
  MakeSet("Default");
  testing::FailingFileServices services;
  const Templates templates(program.Path(), services);
  services.unreadable.insert(templates.FolderName() + "Default" + kSep + "footer.html");
  EXPECT_EQ(templates.Generate("Default", 6, 0, true, -1, {}), "");
  EXPECT_EQ(templates.Generate("Default", -1, 0, true, -1, {}), "");
  EXPECT_EQ(templates.Generate("Default", 9, 0, true, -1, {}), "");
  EXPECT_EQ(templates.Generate("Missing", 0, 0, true, -1, {}), "");
  EXPECT_EQ(templates.Generate("Default", 7, 0, true, -1, {}), "header.html\r\n");
}

TEST(TemplateFill, IndentAndFinalLineBreak) {
  EXPECT_EQ(Templates::Fill("a", 4, false, -1, {}), "    a");
  EXPECT_EQ(Templates::Fill("a", 4, true, -1, {}), "    a\r\n");
  EXPECT_EQ(Templates::Fill("a\r\n\r\nb\r\n", 2, true, -1, {}), "  a\r\n  \r\n  b\r\n");
  EXPECT_EQ(Templates::Fill("a", -3, true, -1, {}), "a\r\n");
}

TEST(TemplateFill, EmptyTextStaysEmptyAndShortTextStaysWhole) {
  for (const bool keep : {false, true}) {
    EXPECT_EQ(Templates::Fill("", 0, keep, -1, {}), "");
    EXPECT_EQ(Templates::Fill("", 8, keep, 1, {{"a", "b"}}), "");
  }
  // Two characters or fewer keep their line break even when it is dropped.
  EXPECT_EQ(Templates::Fill("\r\n", 0, false, -1, {}), "\r\n");
  EXPECT_EQ(Templates::Fill("\r\n", 1, false, -1, {}), " ");
}

TEST(TemplateFill, LinesEndAtCrOrCrLfAndBareLfStaysInside) {
  EXPECT_EQ(Templates::Fill("x\ny\rz\r\nw", 1, true, -1, {}), " x\ny\r\n z\r\n w\r\n");
  EXPECT_EQ(Templates::Fill("one\ntwo\nthree\n", 2, false, -1, {}), "  one\ntwo\nthree\n");
  EXPECT_EQ(Templates::Fill("a\r\r\nb", 0, true, -1, {}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(Templates::Fill("a\n\r", 0, true, -1, {}), "a\n\r\n");
}

TEST(TemplateFill, ReplacementsInOrderWithoutRescanning) {
  EXPECT_EQ(Templates::Fill("%%A%% %%A%%", 0, false, -1, {{"%%A%%", "[%%A%%]"}}), "[%%A%%] [%%A%%]");
  // A later pair acts on what an earlier one inserted.
  EXPECT_EQ(Templates::Fill("%%A%%", 0, false, -1, {{"%%A%%", "%%B%%"}, {"%%B%%", "b"}}), "b");
  EXPECT_EQ(Templates::Fill("%%B%%", 0, false, -1, {{"%%A%%", "a"}, {"%%B%%", "%%A%%"}}), "%%A%%");
  EXPECT_EQ(Templates::Fill("%%title%% %%TITLE%%", 0, false, -1, {{"%%TITLE%%", "T"}}), "%%title%% T");
  EXPECT_EQ(Templates::Fill("aaa", 0, false, -1, {{"aa", "b"}}), "ba");
  EXPECT_EQ(Templates::Fill("keep", 0, false, -1, {{"", "x"}}), "keep");
}

TEST(TemplateFill, MultiLineValuesGetNoIndent) {
  EXPECT_EQ(Templates::Fill("<ul>\r\n%%ITEMS%%\r\n</ul>", 2, false, -1, {{"%%ITEMS%%", "<li>1</li>\r\n<li>2</li>"}}),
            "  <ul>\r\n  <li>1</li>\r\n<li>2</li>\r\n  </ul>");
}

TEST(TemplateFill, PluralChoiceFollowsTheCount) {
  const std::string text = "%%COUNT%% ||link,links|| in ||link,links||";
  EXPECT_EQ(Templates::Fill(text, 0, false, 1, {{"%%COUNT%%", "1"}}), "1 link in link");
  EXPECT_EQ(Templates::Fill(text, 0, false, 0, {}), "%%COUNT%% links in links");
  EXPECT_EQ(Templates::Fill(text, 0, false, 7, {}), "%%COUNT%% links in links");
  EXPECT_EQ(Templates::Fill(text, 0, false, -1, {}), text);
  EXPECT_EQ(Templates::Fill("||a,||", 0, false, 2, {}), "");
}

TEST(TemplateFill, OnlyTheFirstWellFormedChoiceIsMade) {
  EXPECT_EQ(Templates::Fill("||a,b,c|| ||x,y||", 0, false, 1, {}), "||a,b,c|| ||x,y||");
  EXPECT_EQ(Templates::Fill("||word|| ||x,y||", 0, false, 1, {}), "||word|| ||x,y||");
  EXPECT_EQ(Templates::Fill("||x,y|| ||p,q||", 0, false, 1, {}), "x ||p,q||");
  EXPECT_EQ(Templates::Fill("||x,y", 0, false, 1, {}), "||x,y");
  // The choice starts right after the first "||".
  EXPECT_EQ(Templates::Fill("|||x,y||", 0, false, 1, {}), "|x");
  EXPECT_EQ(Templates::Fill("%%% %%x%% ||||", 0, false, 1, {{"%%x%%", "%%"}}), "%%% %% ||||");
}

TEST(TemplateFill, BytesPassThroughUntouched) {
  const std::string bytes = "a\0b\xFF\xFE\x80|\0|"s;
  EXPECT_EQ(Templates::Fill(bytes, 1, false, 3, {{"\0"s, "<nul>"}}), " a<nul>b\xFF\xFE\x80|<nul>|");
}

TEST(TemplateFill, LargeInputsAreFilledOrRefusedWithoutHarm) {
  const std::string lfLines(10 << 20, '\n');
  EXPECT_EQ(Templates::Fill(lfLines, 4, false, 1, {}).size(), (10u << 20) + 4);
  std::string crLines;
  for (int i = 0; i < (1 << 20); ++i) crLines += "line %%X%%\r";
  const std::string filled = Templates::Fill(crLines, 8, true, -1, {{"%%X%%", "x"}});
  EXPECT_EQ(filled.size(), std::size_t{1 << 20} * (8 + 6 + 2));
  EXPECT_EQ(filled.substr(0, 16), "        line x\r\n");
  // Growth past the limit gives the empty text instead of exhausting memory.
  EXPECT_EQ(Templates::Fill(crLines, 32767, true, -1, {}), "");
  EXPECT_EQ(Templates::Fill(crLines, 0, true, -1, {{"%%X%%", std::string(1 << 10, 'v')}}), "");
}

}  // namespace
}  // namespace vellumark
