// Tuning a radio by a click: the nearest NDB, VOR or ILS, or an airport-view runway label.
#include "corvane/plan/click_actions.h"
#include "corvane/plan/nearest_pick.h"
#include "corvane/simlink/offset_codec.h"

namespace corvane::plan {
namespace {

constexpr double kTuneWithinNm = 5.0;

std::string NotAFrequency(std::string_view ident, std::string_view text) {
  std::string status = ident.empty() ? std::string() : std::string(ident) + " ";
  return status + "frequency text '" + std::string(text) + "' cannot be tuned: no radio written";
}

// The text is checked before anything is written, so a bad text never tunes half a radio.
std::string TuneIls(std::string_view ident, std::string_view text, SimulatorCommands& commands) {
  if (!simlink::EncodeNavFrequency(text) || !simlink::IlsCourse(text)) return NotAFrequency(ident, text);
  return commands.TuneIls(text);
}

}  // namespace

std::optional<std::string> TuneRadioTo(const PickContext& context, ClickPosition position,
                                       std::span<const RadioLabel> airportViewLabels, SimulatorCommands& commands) {
  const PickCandidate* chosen = nullptr;
  double best = WalkNearest(
      context.candidates, position,
      [&](const PickCandidate& c) {
        return (c.kind == kCandidateNdb && context.shown.ndb) || (c.kind == kCandidateVor && context.shown.vor) ||
               c.kind == kCandidateIls;
      },
      [&](const PickCandidate& c) { chosen = &c; });

  if (best > kTuneWithinNm || chosen == nullptr) {
    std::string_view labelText;
    for (const RadioLabel& label : airportViewLabels) {
      const double distance = DistanceNm(label.lat, label.lon, position.lat, position.lon);
      if (distance < best) {
        best = distance;
        labelText = label.text;
      }
    }
    if (best < kTuneWithinNm) return TuneIls({}, labelText, commands);
    return std::nullopt;
  }

  const std::string_view text = chosen->info;
  switch (chosen->kind) {
    case kCandidateNdb:
      if (!simlink::EncodeAdfFrequency(text)) return NotAFrequency(chosen->ident, text);
      return commands.TuneNdb(chosen->ident, text);
    case kCandidateVor:
      if (!simlink::EncodeNavFrequency(text)) return NotAFrequency(chosen->ident, text);
      return commands.TuneVor(chosen->ident, text, context.airportViewRunning);
    default: return TuneIls(chosen->ident, text, commands);
  }
}

}  // namespace corvane::plan
