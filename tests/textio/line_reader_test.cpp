// Reading text files: whole, or line by line in blocks (lines across block boundaries,
// "\r\n", a last line without line end, and the limit that ends the reading wherever the
// line falls). Only a regular file counts as readable.
#include "textio/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

std::vector<std::string> linesOf(LineReader& reader) {
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  EXPECT_FALSE(reader.next(line));  // and stays ended
  return lines;
}

TEST(LineReader, ReadsTheSameLinesFromAFileAsFromMemoryUpToTheFirstThatDoesNotFit) {
  // About 1.5 MB of lines of every length from 0 to 4095, some ending in "\r\n".
  std::string text;
  std::vector<std::string> lines;
  for (int i = 0; text.size() < 1500000; ++i) {
    lines.emplace_back(std::size_t(i * 397 % 4096), char('a' + i % 26));
    text += lines.back() + (i % 3 == 0 ? "\r\n" : "\n");
  }
  lines.push_back("last");
  std::vector<std::string> blank(300000);
  blank.emplace_back(4095, 'x');
  // The longest line that fits, its "\r" the first block's last byte and its "\n" the next's first.
  std::vector<std::string> straddling(258048);
  straddling.emplace_back(4095, 'x');
  const struct {
    std::string text;
    std::vector<std::string> lines;
    int stoppedAt;
  } cases[] = {
      {text + "last", lines, 0},  // a last line without line end
      // A line too long, starting in the second block.
      {std::string(300000, '\n') + blank.back() + "\r\n" + std::string(4096, 'y') + "\nafter\n", blank, 300002},
      {"a\n" + std::string(1000000, 'z'), {"a"}, 2},  // a last line too long, without line end
      {std::string(258048, '\n') + straddling.back() + "\r\n", straddling, 0},
      {"", {}, 0},
  };
  testing::TempDir dir;
  for (const auto& c : cases) {
    const std::string path = dir.write("f.txt", c.text).string();
    LineReader fromFile(FilePath{path}, 4096), fromMemory(c.text, 4096);
    ASSERT_TRUE(fromFile.opened());
    EXPECT_EQ(fromFile.totalSize(), c.text.size());
    for (LineReader* reader : {&fromFile, &fromMemory}) {
      // Compared as a whole, not with EXPECT_EQ: a failure should not print megabytes.
      EXPECT_TRUE(linesOf(*reader) == c.lines) << c.text.size();
      EXPECT_EQ(reader->stoppedAtLine(), c.stoppedAt);
    }
    std::string whole = "stale";
    EXPECT_TRUE(readWholeFile(path, whole));
    EXPECT_TRUE(whole == c.text) << c.text.size();
  }
}

TEST(LineReader, OnlyARegularFileIsRead) {
  testing::TempDir dir;
  for (const std::string& path : {std::string(), (dir.path() / "missing").string(),
                                  dir.path().string(), std::string("/dev/null")}) {
    std::string whole = "stale";
    EXPECT_FALSE(readWholeFile(path, whole)) << path;
    EXPECT_EQ(whole, "") << path;
    LineReader lines(FilePath{path}, 16);
    EXPECT_FALSE(lines.opened()) << path;
    EXPECT_TRUE(linesOf(lines).empty()) << path;
  }
}

}  // namespace
}  // namespace quintaval
