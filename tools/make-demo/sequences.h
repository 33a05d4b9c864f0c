// The thirteen picture sequences of the picture scenes, one folder each under
// Data/Textures/. A sequence is a loop: its last frame repeats the first, because the
// player shows frame trunc(pos * (n - 1)) and so reaches the last frame only at pos = 1 —
// a sync track that saws "anim.pos" from 0 to 1 then plays the loop without a seam.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "demo_tree.h"

namespace quintaval::demo {

enum class FrameFormat { kJpeg, kPng, kAlternating };

// Paints one frame of a motif at loop phase p in [0, 1) on a 1280 x 720 surface.
using MotifPainter = void (*)(cairo_t* cr, double p);

struct SequenceSpec {
  std::string directory;  // under Data/Textures/
  int frames;
  FrameFormat format;
  MotifPainter paint;
};

// In the order of their numbers (the "anim.num" values 1 to 13).
const std::vector<SequenceSpec>& sequenceSpecs();

// File name of frame i: zero-padded so that byte order is frame order.
std::string frameFileName(int index, FrameFormat format);

void makeSequences(DemoTree& tree);

// The motifs, one per sequence.
void paintCodeMonkey(cairo_t* cr, double p);
void paintDrinkWater(cairo_t* cr, double p);
void paintGraphics(cairo_t* cr, double p);
void paintMusic(cairo_t* cr, double p);
void paintNotWatching(cairo_t* cr, double p);
void paintOmg(cairo_t* cr, double p);
void paintTunge(cairo_t* cr, double p);
void paintWatchedEye(cairo_t* cr, double p);
void paintWatchedCrowd(cairo_t* cr, double p);
void paintWatchedIris(cairo_t* cr, double p);
void paintWatchedCamera(cairo_t* cr, double p);
void paintWatchedForest(cairo_t* cr, double p);
void paintWatchedMarquee(cairo_t* cr, double p);

}  // namespace quintaval::demo
