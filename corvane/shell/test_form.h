// A TForm1 on a temporary settings file with scripted dialogs and a recording canvas, for the tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "corvane/map/recording_canvas.h"
#include "form1.h"
#include "no_simulator_transport.h"
#include "scripted_dialogs.h"
#include "testing/scratch_folder.h"

namespace corvane::shell::testing {

using TemporaryFolder = corvane::test_support::ScratchFolder;

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
