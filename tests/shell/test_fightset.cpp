// Fighter-set discovery in temporary folders, and through it the line reader.
#include "shell/fightset.h"
#include "support/test_support.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

class Fightset : public ::testing::Test {
protected:
  test_temp_dir dir;
  fightset_report report;
  void TearDown() override { fightset_clear(); }
  void write(const std::string &name, const std::string &bytes) {
    std::ofstream(dir.file(name), std::ios::binary) << bytes;
  }
  // Discovers the folder; the sets by name.
  std::map<std::string, const fightset_entry *> discover() {
    fightset_discover(dir.path.c_str(), &report);
    std::map<std::string, const fightset_entry *> by_name;
    for (int i = 0; i < fightset_count; i++) by_name[fightset[i].name] = &fightset[i];
    return by_name;
  }
  // A set's fields as discovery kept them: background|picture|pairs|picture|pairs.
  static std::string fields(const fightset_entry *s) {
    std::ostringstream out;
    out << s->background << '|' << s->fighters[0].picture << '|' << s->fighters[0].pairs << '|'
        << s->fighters[1].picture << '|' << s->fighters[1].pairs;
    return out.str();
  }
};

TEST_F(Fightset, NamesMatchDatInAnyCaseAndLineEndingsAndBlankLinesDoNotMatter) {
  for (const char *n : {"x.dat.bak", "dat", "c.dat~"}) write(n, "wrong\nbg\n-\n0\n-\n0\n");
  write("A.DAT", "A\nbg.pcx\nleft.pi1\n3\nright.neo\n4\n");
  write("b.Dat", "B\r\nbg.pcx\r\nleft.pi1\r\n3\r\nright.neo\r\n4\r\n");
  write(".hidden.dat", "\n\nC\n\n\nbg.pcx\r\rleft.pi1\n\r\n3\nright.neo\n\n4\nextra\n");
  const auto sets = discover();
  ASSERT_EQ(sets.size(), 3u);
  for (const char *name : {"A", "B", "C"})
    EXPECT_EQ(sets.count(name) ? fields(sets.at(name)) : "", "bg.pcx|left.pi1|3|right.neo|4")
        << name;
}

TEST_F(Fightset, PairCountsAreDecimalClampedAbove15AndLinesTakenByteForByte) {
  write("a.dat", "a\nbg\np\n20\nq\n-3\n");
  write("b.dat", "b\nbg\np\nabc\nq\n 7\n");
  write("c.dat", std::string(300, 'n') + "\n bg.pcx \n7\nright\n99999999999999999999\n");
  auto sets = discover();
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(fields(sets["a"]), "bg|p|15|q|-3");
  EXPECT_EQ(fields(sets["b"]), "bg|p|0|q|7");
  // A long line is cut at 255 bytes and its rest read as the next field.
  ASSERT_TRUE(sets.count(std::string(255, 'n')));
  EXPECT_EQ(fields(sets[std::string(255, 'n')]), std::string(45, 'n') + "| bg.pcx |7|right|15");
  const auto a =
      std::find(report.files.begin(), report.files.end(), "a.dat") - report.files.begin();
  EXPECT_EQ(report.raw_pairs[0].at(size_t(a)), 20) << "the report keeps what the file said";
}

TEST_F(Fightset, FilesWithoutAnyLineAreSkippedAndMissingFieldsAreEmpty) {
  write("empty.dat", "");
  write("blank.dat", "\n\r\n\n");
  std::filesystem::create_directory(dir.file("folder.dat"));
  ASSERT_EQ(mkfifo(dir.file("zz.dat").c_str(), 0600), 0); // opening it would wait for a writer
  write("short.dat", "Short\nbg.pi1\nsheet.pi1\n");
  ASSERT_TRUE(test_returns_true(
      [](const std::string &path) {
        fightset_discover(path.c_str());
        return fightset_count == 1;
      },
      dir.path))
      << "discovery blocked on the FIFO";
  const auto sets = discover();
  ASSERT_EQ(fightset_count, 1);
  EXPECT_EQ(fields(sets.at("Short")), "bg.pi1|sheet.pi1|0||0");
  EXPECT_EQ(report.lines, std::vector<int>{3});
  EXPECT_EQ(report.unreadable.size(), 4u);
  fightset_clear();
  fightset_discover(dir.file("nowhere").c_str());
  EXPECT_EQ(fightset_count, 0);
}

} // namespace
