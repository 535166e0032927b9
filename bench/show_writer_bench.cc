// The writers of `quorvel show` and `quorvel dump` side by side, in memory: the
// joints of the big model that make_big_ms3d writes, written to an output that
// drops everything, without reading a file or starting a process. Where the
// commands' figures in compare.sh move with the machine, these hold still, and they
// split the cost between what each joint costs and what each event line costs
// (BM_Show at 200 bytes a comment is mostly the former).
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "bench/big_model_joint.h"
#include "host/model_document.h"
#include "host/ms_model_handle.h"
#include "tools/quorvel/dump_command.h"
#include "tools/quorvel/show_command.h"

namespace quorvel {
namespace {

class DroppingBuffer : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

// The big model's 65,535 joints, each with a comment of `commentSize` bytes.
host::Model BigModel(std::size_t commentSize) {
  host::Model model;
  model.joints.resize(65535);
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    model.joints[i] = {bench::BigModelJointName(i), bench::BigModelJointFlags(i),
                       bench::BigModelComment(i, commentSize)};
  }
  return model;
}

void BM_Dump(benchmark::State& state) {
  const host::Model model = BigModel(static_cast<std::size_t>(state.range(0)));
  DroppingBuffer dropped;
  std::ostream out(&dropped);
  for (auto _ : state) {
    app::WriteDump(model, out);
  }
}

void BM_Show(benchmark::State& state, bool json) {
  msModel* model =
      host::AdoptDocument(host::ModelDocument(BigModel(static_cast<std::size_t>(state.range(0)))));
  DroppingBuffer dropped;
  std::ostream out(&dropped);
  for (auto _ : state) {
    app::WriteShow(model, "big.ms3d", "Quorvel", json, out);
  }
  msHost_FreeModel(model);
}

BENCHMARK(BM_Dump)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Show, text, false)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Show, json, true)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel
