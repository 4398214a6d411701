// The simulator writes that map clicks send: the autopilot heading and the radio frequencies.
#pragma once

#include <string>
#include <string_view>

namespace corvane::simlink {
class SimLink;
}

namespace corvane::plan {

// Each command returns the status-line text that reports its outcome.
class SimulatorCommands {
 public:
  virtual ~SimulatorCommands() = default;
  virtual std::string SendApHeading(double headingDeg) = 0;
  virtual std::string TuneNdb(std::string_view ident, std::string_view frequencyText) = 0;
  // NAV2 while the airport view runs, NAV1 otherwise.
  virtual std::string TuneVor(std::string_view ident, std::string_view frequencyText, bool toNav2) = 0;
  // NAV1 frequency, then the course from the same text.
  virtual std::string TuneIls(std::string_view frequencyText) = 0;
};

// The commands sent through the simulator link.
class SimLinkCommands final : public SimulatorCommands {
 public:
  explicit SimLinkCommands(simlink::SimLink& link) : link_(link) {}
  std::string SendApHeading(double headingDeg) override;
  std::string TuneNdb(std::string_view ident, std::string_view frequencyText) override;
  std::string TuneVor(std::string_view ident, std::string_view frequencyText, bool toNav2) override;
  std::string TuneIls(std::string_view frequencyText) override;

 private:
  simlink::SimLink& link_;
};

}  // namespace corvane::plan
