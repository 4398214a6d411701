// Fuzzes the decoding of one scenery file and the rows made from it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "tessel/bgl_decoder.h"
#include "tessel/byte_source.h"
#include "tessel/scenery_rows.h"

namespace {
// Keeps the counts only, so a long run does not grow.
class CountingObserver final : public tessel::RunObserver {
public:
    void OnStep(std::string_view, tessel::TabList) override {}
    void OnProgress(std::size_t, std::size_t) override {}
    void OnProblem(const std::string&) override { ++problems; }
    void OnBucketWarning(const std::string&) override {}
    std::size_t problems = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessel::MemoryByteSource source(std::as_bytes(std::span<const std::uint8_t>(data, size)));
    CountingObserver observer;
    tessel::ScanOutputs outputs;  // left closed: the rows are made, nothing is written
    tessel::RowLists rows;
    tessel::RunLists lists;
    tessel::SceneryRowWriter writer(tessel::OutputKinds{}, outputs, rows, lists, observer);
    writer.BeginFile("fuzz.bgl");
    tessel::DecodeBglFile(source, writer);
    return 0;
}
