// The capture's command line and frame timing: rates as exact fractions, the frames of a
// span, one clear message per kind of bad input (status 2), --help and --version, and the
// progress line's text. Numbers are read with std::from_chars, which no locale changes.
#include "capture/capture_options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "capture/progress_meter.h"

namespace quintaval {
namespace {

// Parses as the tool does: the exit status (-1 to go on), standard output and error.
std::tuple<int, std::string, std::string> parse(std::vector<std::string> args, CaptureOptions& options) {
  args.insert(args.begin(), "quintaval-capture");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options).value_or(-1);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

// What a refused command line writes; it must end with status 2.
std::string errorFor(const std::vector<std::string>& args) {
  CaptureOptions options;
  const auto [status, out, err] = parse(args, options);
  EXPECT_EQ(status, 2);
  return err;
}

FrameRate rateOf(const std::string& text) {
  FrameRate rate;
  EXPECT_TRUE(parseFrameRate(text, rate)) << text;
  return rate;
}

TEST(FrameRate, ReducesToExactFractionsAndRejectsTheRest) {
  const std::pair<const char*, const char*> good[] = {{"60", "60/1"}, {"59.94", "2997/50"},
                                                      {"60000/1001", "60000/1001"}, {"25.0", "25/1"},
                                                      {"1000", "1000/1"}, {"0.5", "1/2"}};
  for (const auto& [text, fraction] : good) EXPECT_EQ(frameRateText(rateOf(text)), fraction) << text;
  FrameRate rate;
  for (const char* text : {"0", "0.0", "-30", "1000.001", "2000/1", "60/0", "", "abc", "60fps", "6e1", "59,94",
                           "1/2/3", ".5", "5.", "99999999999999999999"}) {
    EXPECT_FALSE(parseFrameRate(text, rate)) << text;
  }
}

TEST(FrameTiming, ASpanHoldsTheFramesThatStartBeforeItsEnd) {
  const FrameRate sixty = rateOf("60");
  EXPECT_EQ(frameCount(0.0, 128.0, sixty), 7680);  // the last at 127.983 s, none more through rounding
  EXPECT_EQ(frameCount(0.0, 128.0, rateOf("59.94")), 7673);  // 7672.32 frames: the 7673rd starts before 128 s
  EXPECT_EQ(frameCount(10.0, 10.1, sixty), 6);  // 10.0 ... 10.0833
  EXPECT_EQ(frameCount(10.0, 10.0 + 1.0 / 60.0, sixty), 1);
  EXPECT_EQ(frameCount(0.0, 0.001, sixty), 1);
  EXPECT_EQ(frameCount(5.0, 5.0, sixty), 0);
  EXPECT_EQ(frameCount(6.0, 5.0, sixty), 0);
}

TEST(CaptureOptions, ReadsEveryOptionInBothSpellings) {
  CaptureOptions options;
  ASSERT_EQ(std::get<0>(parse({"--width=320", "--height", "180", "--fps", "29.97", "--from=4.5", "--to", "6",
                               "--multisampling", "off", "--data=build/demo", "--quiet", "--video", "out.mp4"},
                              options)),
            -1);
  EXPECT_EQ(std::make_tuple(options.width, options.height, frameRateText(options.fps), options.from, options.to),
            std::make_tuple(320, 180, std::string("2997/100"), 4.5, 6.0));
  EXPECT_EQ(std::make_tuple(options.multisampling, options.dataDir, options.quiet, options.output, options.outputPath),
            std::make_tuple(false, std::string("build/demo"), true, CaptureOutput::kVideo, std::string("out.mp4")));

  // --help and --version need no output and end with 0 (a bad value next to them still counts).
  const auto [status, help, err] = parse({"--help"}, options);
  EXPECT_EQ(status, 0);
  EXPECT_NE(help.find("--multisampling on|off"), std::string::npos) << help;
  EXPECT_EQ(parse({"--version"}, options), std::make_tuple(0, std::string("quintaval-capture " QV_VERSION "\n"), err));
}

TEST(CaptureOptions, EachMistakeGetsItsOwnMessage) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "choose an output: --png DIR or --video FILE"},
      {{"--width", "0", "-h"}, "--width must be a whole number of pixels from 1 to 16384, not '0'"},
      {{"--png", "a", "--video", "b.mp4"}, "--png and --video cannot be used together"},
      {{"--png", "a", "--speed", "2"}, "unknown option '--speed'"},
      {{"--png", "a", "stray"}, "unexpected argument 'stray'"},
      {{"--png"}, "--png: 1 required DIR missing"},
      {{"--png", ""}, "--png needs a directory"},
      {{"--png", "a", "--height", "12.5"}, "--height must be a whole number of pixels from 1 to 16384, not '12.5'"},
      {{"--png", "a", "--width", "16385"}, "--width must be a whole number of pixels from 1 to 16384, not '16385'"},
      {{"--png", "a", "--fps", "0"},
       "--fps must be a rate above 0 and up to 1000, such as 60, 59.94 or 60000/1001, not '0'"},
      {{"--png", "a", "--from", "-1"}, "--from must be a number of seconds, 0 or more, not '-1'"},
      {{"--png", "a", "--to", "nan"}, "--to must be a number of seconds, 0 or more, not 'nan'"},
      {{"--png", "a", "--from", "130"}, "--to must come after --from"},
      {{"--png", "a", "--from", "5", "--to", "5"}, "--to must come after --from"},
      {{"--png", "a", "--from", "5", "--to", "5.0000000001"},
       "the span from --from to --to holds no frame at this rate"},
      {{"--png", "a", "--multisampling", "yes"}, "--multisampling must be on or off, not 'yes'"},
      {{"--video", "a.mp4", "--width", "321"}, "--video needs an even width and height (H.264 in 4:2:0)"},
  };
  for (const auto& [args, message] : cases) {
    EXPECT_EQ(errorFor(args), "quintaval-capture: " + message + "\n(quintaval-capture --help shows the usage)\n");
  }
}

TEST(ProgressMeter, LineShowsFramesRateAndTimeLeft) {
  EXPECT_EQ(ProgressMeter::formatLine(120, 7680, 45.3), "frame 120/7680, 45.3 fps, 2:47 left");
  EXPECT_EQ(ProgressMeter::formatLine(0, 7680, 0.0), "frame 0/7680, -- fps, -- left");
  EXPECT_EQ(ProgressMeter::formatLine(0, 7680, 2.0), "frame 0/7680, 2.0 fps, 1:04:00 left");
  EXPECT_EQ(ProgressMeter::formatSummary(7680, 192.0), "7680 frames in 3:12 (40.0 fps)");
  EXPECT_EQ(ProgressMeter::formatSummary(1, 0.0), "1 frame in 0:00");
}

}  // namespace
}  // namespace quintaval
