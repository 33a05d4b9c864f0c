// Line splitting of files read in blocks: lines across block boundaries, "\r\n", a last
// line without line end, and the limit that ends the reading wherever the line falls.
#include "geometry/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

std::vector<std::string> linesOf(LineReader& reader) {
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  return lines;
}

class LineReaderFile : public ::testing::Test {
 protected:
  FilePath file(const std::string& text) {
    path_ = dir.write("f.txt", text).string();
    return FilePath{path_};
  }
  testing::TempDir dir;

 private:
  std::string path_;
};

TEST_F(LineReaderFile, ReadsTheSameLinesAsFromMemoryAcrossBlocks) {
  // About 1.5 MB of lines of every length from 0 to 4095, some ending in "\r\n".
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; text.size() < 1500000; ++i) {
    std::string line(static_cast<std::size_t>((i * 397) % 4096), static_cast<char>('a' + i % 26));
    expected.push_back(line);
    text += line + (i % 3 == 0 ? "\r\n" : "\n");
  }
  text += "last";
  expected.push_back("last");

  LineReader fromFile(file(text), 4096);
  ASSERT_TRUE(fromFile.opened());
  // Compared line by line: a failure should not print megabytes.
  const auto fileLines = linesOf(fromFile);
  ASSERT_EQ(fileLines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(fileLines[i].size(), expected[i].size()) << "line " << i;
    ASSERT_TRUE(fileLines[i] == expected[i]) << "line " << i;
  }
  LineReader fromMemory(text, 4096);
  EXPECT_TRUE(linesOf(fromMemory) == expected);
}

TEST_F(LineReaderFile, TheFirstLineThatDoesNotFitEndsTheReading) {
  std::string text(300000, '\n');  // the long line starts in the second block
  text += std::string(4095, 'x') + "\r\n" + std::string(4096, 'y') + "\nafter\n";
  LineReader reader(file(text), 4096);
  const auto lines = linesOf(reader);
  ASSERT_EQ(lines.size(), 300001u);
  EXPECT_EQ(lines.back().size(), 4095u);
  EXPECT_EQ(reader.stoppedAtLine(), 300002);

  // A very long last line without a line end.
  LineReader unterminated(file("a\n" + std::string(1000000, 'z')), 4096);
  EXPECT_EQ(linesOf(unterminated).size(), 1u);
  EXPECT_EQ(unterminated.stoppedAtLine(), 2);
}

TEST_F(LineReaderFile, AMissingFileIsNotOpened) {
  const std::string missing = (dir.path() / "none").string();
  LineReader reader(FilePath{missing}, 4096);
  EXPECT_FALSE(reader.opened());
  std::string_view line;
  EXPECT_FALSE(reader.next(line));
}

}  // namespace
}  // namespace quintaval
