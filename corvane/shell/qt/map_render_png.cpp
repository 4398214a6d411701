// Drawing one frame offscreen on the QtCanvas, and the "--render" command around it.
#include "map_render_png.h"

#include <cstdio>

#include "qt_canvas.h"

namespace corvane::shell::qt {

RenderedFrame RenderFrame(const RenderRequest& request) {
  QtCanvas image(kMaxRenderWidthPx, kMaxRenderHeightPx);
  image.SetVisibleArea(request.widthPx, request.heightPx);
  RenderedFrame frame;
  frame.problems = RenderMapFrame(request, image);
  frame.picture = image.image().copy(0, 0, request.widthPx, request.heightPx);
  return frame;
}

int RunRenderCommand(const std::vector<std::string>& arguments) {
  const RenderParse parse = ParseRenderArguments(arguments);
  if (!parse.request) {
    std::fprintf(stderr, "corvane: %s\n%s", parse.error.c_str(), kRenderUsage);
    return 2;
  }
  const RenderRequest& request = *parse.request;
  const RenderedFrame frame = RenderFrame(request);
  for (const std::string& problem : frame.problems) std::fprintf(stderr, "corvane: %s\n", problem.c_str());
  if (!frame.picture.save(QString::fromStdString(request.outputPath.string()), "PNG")) {
    std::fprintf(stderr, "corvane: cannot write the picture %s\n", request.outputPath.string().c_str());
    return 1;
  }
  std::printf("%s: %dx%d\n", request.outputPath.string().c_str(), request.widthPx, request.heightPx);
  return 0;
}

}  // namespace corvane::shell::qt
