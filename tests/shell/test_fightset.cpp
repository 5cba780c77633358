// Fighter-set discovery in temporary folders.
#include "shell/fightset.h"
#include "support/test_support.h"
#include <fstream>
#include <map>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// A folder of set files.
struct set_dir {
  test_temp_dir tmp;
  std::filesystem::path path{tmp.path};
  void write(const std::string &name, std::string_view bytes) const {
    std::ofstream(tmp.file(name), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  }
};

const char six_lines[] = "Duel\nbg.pcx\nleft.pi1\n3\nright.neo\n4\n";

class Fightset : public ::testing::Test {
protected:
  set_dir dir;
  fightset_report report;
  void TearDown() override { fightset_clear(); }
  void discover() { fightset_discover(dir.path.c_str(), &report); }
  std::set<std::string> names() const {
    std::set<std::string> s;
    for (int i = 0; i < fightset_count; i++) s.insert(fightset[i].name);
    return s;
  }
};

TEST_F(Fightset, SixLinesFillOneRecord) {
  dir.write("duel.dat", six_lines);
  discover();
  ASSERT_EQ(fightset_count, 1);
  const fightset_entry &s = fightset[0];
  EXPECT_STREQ(s.name, "Duel");
  EXPECT_STREQ(s.background, "bg.pcx");
  EXPECT_STREQ(s.fighters[0].picture, "left.pi1");
  EXPECT_EQ(s.fighters[0].pairs, 3);
  EXPECT_STREQ(s.fighters[1].picture, "right.neo");
  EXPECT_EQ(s.fighters[1].pairs, 4);
  EXPECT_EQ(report.lines, std::vector<int>{6});
}

TEST_F(Fightset, NamesMatchDatWithoutRegardToCaseAndLeadingDots) {
  for (const char *n : {"A.DAT", "b.Dat", ".hidden.dat", "x.dat.bak", "dat", "c.dat~", "d.da"}) {
    std::string body = std::string(n) + "\nbg\n-\n0\n-\n0\n";
    dir.write(n, body);
  }
  discover();
  EXPECT_EQ(names(), (std::set<std::string>{"A.DAT", "b.Dat", ".hidden.dat"}));
}

TEST_F(Fightset, BlankLinesAndLineEndingsDoNotChangeTheFields) {
  dir.write("lf.dat", six_lines);
  dir.write("crlf.dat", "Duel\r\nbg.pcx\r\nleft.pi1\r\n3\r\nright.neo\r\n4\r\n");
  dir.write("blank.dat", "\n\nDuel\n\n\nbg.pcx\r\rleft.pi1\n\r\n3\nright.neo\n\n4");
  discover();
  ASSERT_EQ(fightset_count, 3);
  for (int i = 0; i < 3; i++) {
    SCOPED_TRACE(report.files[i]);
    EXPECT_STREQ(fightset[i].name, "Duel");
    EXPECT_STREQ(fightset[i].background, "bg.pcx");
    EXPECT_STREQ(fightset[i].fighters[0].picture, "left.pi1");
    EXPECT_EQ(fightset[i].fighters[0].pairs, 3);
    EXPECT_STREQ(fightset[i].fighters[1].picture, "right.neo");
    EXPECT_EQ(fightset[i].fighters[1].pairs, 4);
  }
}

TEST_F(Fightset, PairCountsReadAsDecimalAndClampedAbove15) {
  dir.write("a.dat", "a\nbg\np\n20\nq\n-3\n");
  dir.write("b.dat", "b\nbg\np\nabc\nq\n 7\n");
  dir.write("c.dat", "c\nbg\np\n+15\nq\n99999999999999999999\n");
  discover();
  ASSERT_EQ(fightset_count, 3);
  std::map<std::string, const fightset_entry *> by_name;
  for (int i = 0; i < fightset_count; i++) by_name[fightset[i].name] = &fightset[i];
  EXPECT_EQ(by_name["a"]->fighters[0].pairs, 15);
  EXPECT_EQ(by_name["a"]->fighters[1].pairs, -3);
  EXPECT_EQ(by_name["b"]->fighters[0].pairs, 0);
  EXPECT_EQ(by_name["b"]->fighters[1].pairs, 7);
  EXPECT_EQ(by_name["c"]->fighters[0].pairs, 15);
  EXPECT_EQ(by_name["c"]->fighters[1].pairs, 15);
  // The report keeps what the file said.
  for (size_t i = 0; i < report.files.size(); i++) {
    if (report.files[i] == "a.dat") EXPECT_EQ(report.raw_pairs[0][i], 20);
  }
}

TEST_F(Fightset, LinesAreTakenByteForByteAndCutAt255) {
  const std::string long_name(300, 'n');
  dir.write("a.dat", long_name + "\n bg.pcx \nleft\n1\nright\n1\n");
  discover();
  ASSERT_EQ(fightset_count, 1);
  // The remainder of the long line is read as the next field.
  EXPECT_EQ(std::string(fightset[0].name), std::string(255, 'n'));
  EXPECT_EQ(std::string(fightset[0].background), std::string(45, 'n'));
  EXPECT_STREQ(fightset[0].fighters[0].picture, " bg.pcx ");
}

TEST_F(Fightset, TwentyFiveFilesGiveNineteenSetsAndTheRestAreReported) {
  for (int i = 0; i < 25; i++) dir.write("set" + std::to_string(i) + ".dat", six_lines);
  discover();
  EXPECT_EQ(fightset_count, FIGHTSET_MAX);
  EXPECT_EQ(report.ignored.size(), 6u);
  // Without a report the game stops at the limit too.
  fightset_clear();
  fightset_discover(dir.path.c_str());
  EXPECT_EQ(fightset_count, 19);
}

TEST_F(Fightset, FilesWithoutAnyLineAreSkippedAndShortFilesGetEmptyFields) {
  dir.write("empty.dat", "");
  dir.write("blank.dat", "\n\r\n\n");
  std::filesystem::create_directory(dir.path / "folder.dat");
  dir.write("short.dat", "Short\nbg.pi1\nsheet.pi1\n");
  discover();
  ASSERT_EQ(fightset_count, 1);
  const fightset_entry &s = fightset[0];
  EXPECT_STREQ(s.name, "Short");
  EXPECT_STREQ(s.fighters[0].picture, "sheet.pi1");
  EXPECT_EQ(s.fighters[0].pairs, 0);
  EXPECT_STREQ(s.fighters[1].picture, "");
  EXPECT_EQ(s.fighters[1].pairs, 0);
  EXPECT_EQ(report.lines, std::vector<int>{3});
  EXPECT_EQ(report.unreadable.size(), 3u);
}

TEST_F(Fightset, MissingFolderReadsNothing) {
  fightset_discover((dir.path / "nowhere").c_str(), &report);
  EXPECT_EQ(fightset_count, 0);
}

} // namespace
