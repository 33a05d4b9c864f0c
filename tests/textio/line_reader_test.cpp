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
  return lines;
}

TEST(LineReader, ReadsTheSameLinesFromAFileAsFromMemoryAcrossBlocks) {
  // About 1.5 MB of lines of every length from 0 to 4095, some ending in "\r\n".
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; text.size() < 1500000; ++i) {
    expected.emplace_back(std::size_t(i * 397 % 4096), char('a' + i % 26));
    text += expected.back() + (i % 3 == 0 ? "\r\n" : "\n");
  }
  text += "last";
  expected.push_back("last");

  testing::TempDir dir;
  const std::string path = dir.write("f.txt", text).string();
  LineReader fromFile(FilePath{path}, 4096);
  ASSERT_TRUE(fromFile.opened());
  EXPECT_EQ(fromFile.totalSize(), text.size());
  // Compared as a whole, not with EXPECT_EQ: a failure should not print megabytes.
  EXPECT_TRUE(linesOf(fromFile) == expected);
  LineReader fromMemory(text, 4096);
  EXPECT_TRUE(linesOf(fromMemory) == expected);
  std::string whole = "stale";
  EXPECT_TRUE(readWholeFile(path, whole));
  EXPECT_TRUE(whole == text);
  EXPECT_TRUE(readWholeFile(dir.write("empty", "").string(), whole));
  EXPECT_EQ(whole, "");
}

TEST(LineReader, TheFirstLineThatDoesNotFitEndsTheReading) {
  testing::TempDir dir;
  std::string text(300000, '\n');  // the long line starts in the second block
  text += std::string(4095, 'x') + "\r\n" + std::string(4096, 'y') + "\nafter\n";
  const std::string path = dir.write("long.txt", text).string();
  LineReader reader(FilePath{path}, 4096);
  const auto lines = linesOf(reader);
  ASSERT_EQ(lines.size(), 300001u);
  EXPECT_EQ(lines.back().size(), 4095u);
  EXPECT_EQ(reader.stoppedAtLine(), 300002);
  std::string_view line;
  EXPECT_FALSE(reader.next(line));  // and stays ended

  // A very long last line without a line end, in a file and in memory.
  const std::string unterminated = "a\n" + std::string(1000000, 'z');
  const std::string unterminatedPath = dir.write("tail.txt", unterminated).string();
  LineReader fromFile(FilePath{unterminatedPath}, 4096);
  LineReader fromMemory(unterminated, 4096);
  for (LineReader* r : {&fromFile, &fromMemory}) {
    EXPECT_EQ(linesOf(*r), std::vector<std::string>{"a"});
    EXPECT_EQ(r->stoppedAtLine(), 2);
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
    std::string_view line;
    EXPECT_FALSE(lines.next(line)) << path;
  }
}

}  // namespace
}  // namespace quintaval
