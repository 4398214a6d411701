// One frame of the moving map: the layers in their fixed order into the hidden image, then onto the screen.
#pragma once

#include "canvas.h"
#include "frame_inputs.h"
#include "map_view.h"

namespace corvane::map {

// Centres and sizes the view for this tick (paintWidth x paintHeight is the paint box) and draws every
// layer into image.
void DrawMapFrame(Canvas& image, MapView& view, const FrameInputs& inputs, int paintWidth, int paintHeight);

// Copies the visible top-left part of the image onto the paint box.
void PresentFrame(Canvas& paintBox, const Canvas& image, int paintWidth, int paintHeight);

}  // namespace corvane::map
