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
};

// Check wants every file of a set as a file, in a set named by one folder name.
TEST_F(TemplateSets, TheFolderIsMadeBesideTheProgramAndCheckWantsEveryFileAsAFile) {
  const Templates templates(program.Path());
  EXPECT_EQ(templates.FolderName(), program / "Templates" + kSep);
  EXPECT_TRUE(FileSystem().IsFolder(templates.FolderName()));
  EXPECT_EQ(Templates(program.Path() + kSep).FolderName(), templates.FolderName());
  MakeSet("Complete");
  EXPECT_TRUE(templates.Check("Complete"));
  for (std::size_t i = 0; i < Templates::kFiles.size(); ++i) {
    const std::string set = "Without" + std::to_string(i);
    MakeSet(set);
    const std::string file = program / "Templates/" + set + "/" + std::string(Templates::kFiles[i]);
    ASSERT_TRUE(NativeFileServices().RemoveFile(file));
    EXPECT_FALSE(templates.Check(set)) << Templates::kFiles[i];
    ASSERT_TRUE(NativeFileServices().CreateFolder(file));
    EXPECT_FALSE(templates.Check(set)) << Templates::kFiles[i] << " as a folder";
  }
  // Complete sets lying beside the templates folder and inside it.
  for (std::string_view file : Templates::kFiles) {
    program.Write(std::string(file), "x");
    program.Write("Templates/" + std::string(file), "x");
  }
  for (const char* name : {"Missing", "", ".", "..", "Complete/.", "Complete\\."}) EXPECT_FALSE(templates.Check(name)) << name;
  EXPECT_EQ(templates.Generate("..", 0, 0, true, -1, {}), "");
}

// Enumerate lists complete sets only, and fails when the folder is there
// but cannot be listed, not when it is missing.
TEST_F(TemplateSets, EnumerateListsCompleteSetsOnly) {
  MakeSet("beta");
  MakeSet("Alpha");
  MakeSet(".hidden");
  MakeSet("Incomplete");
  NativeFileServices().RemoveFile(program / "Templates/Incomplete/footer.html");
  program.Write("Templates/loose-file.html", "x");
  program.Write("Templates/Alpha/images/logo.png", "png");
  testing::FailingFileServices services;
  const Templates templates(program.Path(), services);
  RecordingList list;
  list.calls = {"old"};
  EXPECT_TRUE(templates.Enumerate(list));
  services.unlistable.insert(templates.FolderName());
  EXPECT_FALSE(templates.Enumerate(list));
  EXPECT_TRUE(Templates(program / "missing").Enumerate(list));
  program.Write("file/Templates", "");
  EXPECT_FALSE(Templates(program / "file").Enumerate(list));
  EXPECT_EQ(list.calls, (std::vector<std::string>{"old", "clear", "Alpha", "beta", "clear", "clear", "clear"}));
}

TEST_F(TemplateSets, GenerateReadsTheFileAtItsPositionAndGivesNothingOnAnyError) {
  MakeSet("Default");
  program.Write("Templates/Default/folderlink.html", "<a href=\"%%URL%%\">%%TITLE%%</a>\r\n");
  ASSERT_TRUE(NativeFileServices().SetAttributes(program / "Templates/Default/folderlink.html", attribute::kReadOnly));
  testing::FailingFileServices services;
  const Templates templates(program.Path(), services);
  services.unreadable.insert(templates.FolderName() + "Default" + kSep + "footer.html");
  EXPECT_EQ(templates.Generate("Default", 4, 2, false, -1, {{"%%URL%%", "u.html"}, {"%%TITLE%%", "T"}}),
            "  <a href=\"u.html\">T</a>");
  EXPECT_EQ(templates.Generate("Default", 8, 0, true, -1, {}), "index.html\r\n");
  for (const int index : {6, -1, 9}) EXPECT_EQ(templates.Generate("Default", index, 0, true, -1, {}), "") << index;
  EXPECT_EQ(templates.Generate("Missing", 0, 0, true, -1, {}), "");
}

// Indent, final line break (dropped only from texts over two characters),
// line ends at CR or CR LF, replacements in order without rescanning, no
// indent for multi-line values, the plural choice and untouched bytes.
TEST(TemplateFill, FollowsTheLineAndReplacementRules) {
  struct Case { std::string text; int indent; bool keep; int count; Replacements pairs; std::string expected; };
  const Case cases[] = {
      {"a", 4, false, -1, {}, "    a"}, {"a", 4, true, -1, {}, "    a\r\n"},
      {"a\r\n\r\nb\r\n", 2, true, -1, {}, "  a\r\n  \r\n  b\r\n"}, {"a", -3, true, -1, {}, "a\r\n"},
      {"", 8, true, 1, {{"a", "b"}}, ""}, {"", 0, false, -1, {}, ""}, {"\r\n", 0, false, -1, {}, "\r\n"},
      {"\r\n", 1, false, -1, {}, " "}, {"x\ny\rz\r\nw", 1, true, -1, {}, " x\ny\r\n z\r\n w\r\n"},
      {"one\ntwo\nthree\n", 2, false, -1, {}, "  one\ntwo\nthree\n"}, {"a\r\r\nb", 0, true, -1, {}, "a\r\n\r\nb\r\n"},
      {"a\n\r", 0, true, -1, {}, "a\n\r\n"}, {"%%A%% %%A%%", 0, false, -1, {{"%%A%%", "[%%A%%]"}}, "[%%A%%] [%%A%%]"},
      {"%%A%%", 0, false, -1, {{"%%A%%", "%%B%%"}, {"%%B%%", "b"}}, "b"},
      {"%%B%%", 0, false, -1, {{"%%A%%", "a"}, {"%%B%%", "%%A%%"}}, "%%A%%"},
      {"%%title%% %%TITLE%%", 0, false, -1, {{"%%TITLE%%", "T"}}, "%%title%% T"},
      {"aaa", 0, false, -1, {{"aa", "b"}}, "ba"}, {"keep", 0, false, -1, {{"", "x"}}, "keep"},
      {"<ul>\r\n%%ITEMS%%\r\n</ul>", 2, false, -1, {{"%%ITEMS%%", "<li>1</li>\r\n<li>2</li>"}},
       "  <ul>\r\n  <li>1</li>\r\n<li>2</li>\r\n  </ul>"},
      {"%%COUNT%% ||link,links|| in ||link,links||", 0, false, 1, {{"%%COUNT%%", "1"}}, "1 link in link"},
      {"||link,links|| in ||link,links||", 0, false, 0, {}, "links in links"},
      {"||link,links|| in ||link,links||", 0, false, 7, {}, "links in links"},
      {"||link,links||", 0, false, -1, {}, "||link,links||"}, {"||a,||", 0, false, 2, {}, ""},
      {"||a,b,c|| ||x,y||", 0, false, 1, {}, "||a,b,c|| ||x,y||"},
      {"||word|| ||x,y||", 0, false, 1, {}, "||word|| ||x,y||"}, {"||x,y|| ||p,q||", 0, false, 1, {}, "x ||p,q||"},
      {"||x,y", 0, false, 1, {}, "||x,y"},
      {"|||x,y||", 0, false, 1, {}, "|x"},  // the choice starts right after the first "||"
      {"%%% %%x%% ||||", 0, false, 1, {{"%%x%%", "%%"}}, "%%% %% ||||"},
      {"a\0b\xFF\xFE\x80|\0|"s, 1, false, 3, {{"\0"s, "<nul>"}}, " a<nul>b\xFF\xFE\x80|<nul>|"}};
  for (const Case& c : cases) EXPECT_EQ(Templates::Fill(c.text, c.indent, c.keep, c.count, c.pairs), c.expected) << c.text;
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
