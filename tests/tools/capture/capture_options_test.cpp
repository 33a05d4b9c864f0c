// The capture's command line and frame timing: rates as exact fractions, the frames of a
// span, defaults, and one clear message per kind of bad input. Also the progress line.
#include "capture/capture_options.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "capture/progress_meter.h"
#include "support/comma_locale.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

bool parse(const std::vector<std::string>& args, CaptureOptions& options, std::string& error) {
  options = CaptureOptions();
  error.clear();
  return parseCaptureOptions(args, options, error);
}

std::string errorFor(const std::vector<std::string>& args) {
  CaptureOptions options;
  std::string error;
  EXPECT_FALSE(parse(args, options, error));
  return error;
}

TEST(FrameRate, WholeDecimalAndRatioFormsReduceToExactFractions) {
  FrameRate rate;
  ASSERT_TRUE(parseFrameRate("60", rate));
  EXPECT_EQ(rate.numerator, 60);
  EXPECT_EQ(rate.denominator, 1);
  ASSERT_TRUE(parseFrameRate("59.94", rate));
  EXPECT_EQ(rate.numerator, 2997);
  EXPECT_EQ(rate.denominator, 50);
  ASSERT_TRUE(parseFrameRate("60000/1001", rate));
  EXPECT_EQ(rate.numerator, 60000);
  EXPECT_EQ(rate.denominator, 1001);
  ASSERT_TRUE(parseFrameRate("25.0", rate));
  EXPECT_EQ(frameRateText(rate), "25/1");
  ASSERT_TRUE(parseFrameRate("1000", rate));
  ASSERT_TRUE(parseFrameRate("0.5", rate));
  EXPECT_EQ(frameRateText(rate), "1/2");
}

TEST(FrameRate, RejectsZeroNegativeTooFastAndMalformedRates) {
  FrameRate rate;
  for (const char* text : {"0", "0.0", "-30", "1000.001", "2000/1", "60/0", "", "abc", "60fps", "6e1", "59,94",
                           "1/2/3", ".5", "5.", "99999999999999999999"}) {
    EXPECT_FALSE(parseFrameRate(text, rate)) << text;
  }
}

TEST(FrameRate, ParsesTheSameUnderADecimalCommaLocale) {
  testing::ScopedCommaLocale locale;
  if (!locale.cLocaleHasComma()) {
    GTEST_SKIP() << "no locale with a decimal comma could be made";
  }
  FrameRate rate;
  EXPECT_TRUE(parseFrameRate("59.94", rate));
  EXPECT_EQ(rate.numerator, 2997);
  CaptureOptions options;
  std::string error;
  EXPECT_TRUE(parse({"--from", "1.5", "--to", "2.25", "--png", "out"}, options, error)) << error;
  EXPECT_EQ(options.from, 1.5);
  EXPECT_EQ(options.to, 2.25);
}

TEST(FrameTiming, FrameKIsDrawnAtFromPlusKOverFps) {
  FrameRate sixty;
  EXPECT_EQ(frameSeconds(0.0, sixty, 0), 0.0);
  EXPECT_DOUBLE_EQ(frameSeconds(10.0, sixty, 30), 10.5);
  FrameRate ntsc;
  ASSERT_TRUE(parseFrameRate("60000/1001", ntsc));
  // No drift: the exact fraction, not a sum of rounded steps.
  EXPECT_DOUBLE_EQ(frameSeconds(0.0, ntsc, 60000), 1001.0);
}

TEST(FrameTiming, SpanHoldsTheFramesBeforeItsEnd) {
  FrameRate sixty;
  EXPECT_EQ(frameCount(0.0, 128.0, sixty), 7680);  // the last one at 127.983 s
  EXPECT_EQ(frameCount(10.0, 10.1, sixty), 6);     // 10.0 ... 10.0833
  EXPECT_EQ(frameCount(10.0, 10.0 + 1.0 / 60.0, sixty), 1);
  EXPECT_EQ(frameCount(0.0, 0.001, sixty), 1);
  EXPECT_EQ(frameCount(5.0, 5.0, sixty), 0);
  EXPECT_EQ(frameCount(6.0, 5.0, sixty), 0);
  FrameRate ntsc;
  ASSERT_TRUE(parseFrameRate("59.94", ntsc));
  EXPECT_EQ(frameCount(0.0, 128.0, ntsc), 7673);  // 7672.32 frames: the 7673rd starts before 128 s
}

TEST(CaptureOptions, DefaultsAreAFullHdSixtyFpsCaptureOfTheWholeDemo) {
  CaptureOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--png", "shots"}, options, error)) << error;
  EXPECT_EQ(options.width, 1920);
  EXPECT_EQ(options.height, 1080);
  EXPECT_EQ(frameRateText(options.fps), "60/1");
  EXPECT_EQ(options.from, 0.0);
  EXPECT_EQ(options.to, 128.0);
  EXPECT_TRUE(options.multisampling);
  EXPECT_FALSE(options.quiet);
  EXPECT_EQ(options.output, CaptureOutput::kPng);
  EXPECT_EQ(options.outputPath, "shots");
  EXPECT_TRUE(options.dataDir.empty());
}

TEST(CaptureOptions, ReadsEveryOptionInBothSpellings) {
  CaptureOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--width=320", "--height", "180", "--fps", "29.97", "--from=4.5", "--to", "6",
                     "--multisampling", "off", "--data=build/demo", "--quiet", "--video", "out.mp4"},
                    options, error))
      << error;
  EXPECT_EQ(options.width, 320);
  EXPECT_EQ(options.height, 180);
  EXPECT_EQ(frameRateText(options.fps), "2997/100");
  EXPECT_EQ(options.from, 4.5);
  EXPECT_EQ(options.to, 6.0);
  EXPECT_FALSE(options.multisampling);
  EXPECT_EQ(options.dataDir, "build/demo");
  EXPECT_TRUE(options.quiet);
  EXPECT_EQ(options.output, CaptureOutput::kVideo);
  EXPECT_EQ(options.outputPath, "out.mp4");
}

TEST(CaptureOptions, HelpNeedsNoOutput) {
  CaptureOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--help"}, options, error));
  EXPECT_TRUE(options.help);
  EXPECT_FALSE(parse({"--width", "0", "-h"}, options, error));  // a bad value still counts
}

TEST(CaptureOptions, EachMistakeGetsItsOwnMessage) {
  EXPECT_EQ(errorFor({}), "choose an output: --png DIR or --video FILE");
  EXPECT_EQ(errorFor({"--png", "a", "--video", "b.mp4"}), "--png and --video cannot be used together");
  EXPECT_EQ(errorFor({"--png", "a", "--speed", "2"}), "unknown option --speed");
  EXPECT_EQ(errorFor({"--png", "a", "stray"}), "unexpected argument stray");
  EXPECT_EQ(errorFor({"--png"}), "--png needs a value");
  EXPECT_EQ(errorFor({"--png="}), "--png needs a directory");
  EXPECT_EQ(errorFor({"--png", "a", "--width", "0"}), "--width must be a whole number of pixels from 1 to 16384, not '0'");
  EXPECT_EQ(errorFor({"--png", "a", "--height", "12.5"}),
            "--height must be a whole number of pixels from 1 to 16384, not '12.5'");
  EXPECT_EQ(errorFor({"--png", "a", "--width", "20000"}),
            "--width must be a whole number of pixels from 1 to 16384, not '20000'");
  EXPECT_EQ(errorFor({"--png", "a", "--fps", "0"}),
            "--fps must be a rate above 0 and up to 1000, such as 60, 59.94 or 60000/1001, not '0'");
  EXPECT_EQ(errorFor({"--png", "a", "--from", "-1"}), "--from must be a number of seconds, 0 or more, not '-1'");
  EXPECT_EQ(errorFor({"--png", "a", "--to", "nan"}), "--to must be a number of seconds, 0 or more, not 'nan'");
  EXPECT_EQ(errorFor({"--png", "a", "--from", "130"}), "--to must come after --from");
  EXPECT_EQ(errorFor({"--png", "a", "--from", "5", "--to", "5"}), "--to must come after --from");
  EXPECT_EQ(errorFor({"--png", "a", "--from", "5", "--to", "5.0000000001"}),
            "the span from --from to --to holds no frame at this rate");
  EXPECT_EQ(errorFor({"--png", "a", "--multisampling", "yes"}), "--multisampling must be on or off, not 'yes'");
  EXPECT_EQ(errorFor({"--video", "a.mp4", "--width", "321"}), "--video needs an even width and height (H.264 in 4:2:0)");
}

TEST(ProgressMeter, LineShowsFramesRateAndTimeLeft) {
  EXPECT_EQ(ProgressMeter::formatLine(120, 7680, 45.3), "frame 120/7680, 45.3 fps, 2:47 left");
  EXPECT_EQ(ProgressMeter::formatLine(0, 7680, 0.0), "frame 0/7680, -- fps, -- left");
  EXPECT_EQ(ProgressMeter::formatLine(0, 7680, 2.0), "frame 0/7680, 2.0 fps, 1:04:00 left");
  EXPECT_EQ(ProgressMeter::formatSummary(7680, 192.0), "7680 frames in 3:12 (40.0 fps)");
  EXPECT_EQ(ProgressMeter::formatSummary(1, 0.0), "1 frame in 0:00");
}

TEST(ProgressMeter, QuietMeterWritesNothing) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    ProgressMeter meter(3, false, out);
    for (int i = 0; i < 3; ++i) meter.frameDone();
    meter.finish();
  }
  EXPECT_EQ(std::ftell(out), 0);
  {
    ProgressMeter meter(3, true, out);
    for (int i = 0; i < 3; ++i) meter.frameDone();
    meter.finish();
  }
  std::rewind(out);
  char line[128] = {};
  ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);
  EXPECT_EQ(std::string(line).rfind("3 frames in 0:00", 0), 0u) << line;
  std::fclose(out);
}

}  // namespace
}  // namespace quintaval
