// A TForm1 on a temporary settings file with scripted dialogs and a recording canvas, for the tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "corvane/map/recording_canvas.h"
#include "form1.h"
#include "no_simulator_transport.h"
#include "scripted_dialogs.h"

namespace corvane::shell::testing {

class TemporaryFolder {
 public:
  TemporaryFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("corvane_shell_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

struct TestForm {
  explicit TestForm(const std::filesystem::path& settingsPath, const std::filesystem::path& dataFolder = {},
                    simlink::IpcTransport* transport = nullptr)
      : dialogs([this](const std::string& line) { dialogLog.push_back(line); }),
        canvas(3000, 2250),
        paintBox(1024, 768),
        form(std::make_unique<TForm1>(FormOptions{settingsPath, dataFolder, transport ? transport : &noSimulator,
                                                  [](std::chrono::milliseconds) {}},
                                      dialogs, canvas, paintBox)) {}

  std::vector<std::string> dialogLog;
  ScriptedDialogs dialogs;
  NoSimulatorTransport noSimulator;
  map::RecordingCanvas canvas;
  map::RecordingCanvas paintBox;
  std::unique_ptr<TForm1> form;
};

}  // namespace corvane::shell::testing
