// RecordingCanvas: every call is appended with the pen, brush and font in force at that moment.
#include "recording_canvas.h"

#include <utility>

namespace corvane::map {

namespace {

CanvasCall Call(CanvasCall::Kind kind, int x1, int y1, int x2, int y2, std::string_view text = {}) {
  CanvasCall call;
  call.kind = kind;
  call.x1 = x1;
  call.y1 = y1;
  call.x2 = x2;
  call.y2 = y2;
  call.text = std::string(text);
  return call;
}

}  // namespace

void RecordingCanvas::Record(CanvasCall call) {
  call.penColor = penColor_;
  call.brushColor = brushColor_;
  call.font = font_;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
  Record(Call(CanvasCall::Kind::MoveTo, x, y, x, y));
}

void RecordingCanvas::LineTo(int x, int y) {
  Record(Call(CanvasCall::Kind::LineTo, penX_, penY_, x, y));
  penX_ = x;
  penY_ = y;
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Record(Call(CanvasCall::Kind::TextOut, x, y, x, y, text));
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Record(Call(CanvasCall::Kind::Rectangle, left, top, right, bottom));
}

void RecordingCanvas::CopyRect(const Rect& destination, const Canvas&, const Rect&) {
  Record(Call(CanvasCall::Kind::CopyRect, destination.left, destination.top, destination.right, destination.bottom));
}

}  // namespace corvane::map
