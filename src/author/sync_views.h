// The two views of sync editing inside the author overlay's ImGui frame:
//   the sync grid, a tracker with one column per track around the cursor row, keys with
//   their value and an interpolation sign (- step, / linear, ~ smooth, ^ ramp), the
//   curve's values faint between them, beats and bars tinted;
//   the track curves, where a key is dragged (row and value at once, one undo step),
//   double-click adds a key on the curve and right-click removes one.
// Both draw what the snapshot holds and edit only through the sync panel's editor.
#pragma once

#include "author/overlay_snapshot.h"

namespace quintaval {

class SyncPanel;

// What a drag in the curves holds between frames: the value range it started in, so the
// curve does not rescale under the pointer.
struct CurveDrag {
  int track = -1;
  float low = 0.0f;
  float high = 1.0f;
};

// Draws the grid window. A click outside it gives the keys back to the transport.
void drawSyncGrid(const SyncGrid& grid, SyncPanel& panel);

// Draws the curve of one track over the snapshot's plot span in the space left on the
// current line, and turns the mouse into edits of track `index`.
void drawTrackCurve(const OverlaySnapshot& snapshot, int index, SyncPanel& panel, CurveDrag& drag);

}  // namespace quintaval
