// Speed of the comment text routines, the records and the event order.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"
#include "plugin/events/event_order.h"

namespace quorvel {
namespace {

constexpr size_t kCommentSize = 1023;  // the most a host comment holds

// A follower comment filled with events up to the comment size.
std::string FullComment() {
  FollowerRecord record{"ship", "Alpha", {}};
  std::string text;
  for (int i = 0; text.size() < kCommentSize; ++i) {
    record.events.push_back(std::to_string(i * 15) + "|setEnginePower|.50");
    record.SaveAttributes(text);
  }
  text.resize(kCommentSize);
  return text;
}

// The key of the last event line that is whole in `text`.
std::string LastEventKey(const std::string& text) {
  const size_t at = text.rfind("\r\nEvent", text.rfind("\r\n") - 1);
  return text.substr(at + 2, text.find('=', at) - at - 2);
}

void BM_LookUpAttributeKeyNearEnd(benchmark::State& state) {
  const std::string text = FullComment();
  const std::string key = LastEventKey(text);
  state.SetLabel(key + " at " + std::to_string(text.find(key)) + " of " +
                 std::to_string(text.size()));
  for (auto _ : state) {
    benchmark::DoNotOptimize(LookUpAttribute(text, key));
  }
}
BENCHMARK(BM_LookUpAttributeKeyNearEnd);

// "Event99" shares its start with every event key; "Center Of Interest" begins
// with a letter the text does not hold.
void BM_LookUpAttributeKeyAbsent(benchmark::State& state) {
  const std::string text = FullComment();
  const std::string key = state.range(0) == 0 ? "Event99" : "Center Of Interest";
  state.SetLabel(key);
  for (auto _ : state) {
    benchmark::DoNotOptimize(LookUpAttribute(text, key));
  }
}
BENCHMARK(BM_LookUpAttributeKeyAbsent)->Arg(0)->Arg(1);

void BM_NumberToTextWhole(benchmark::State& state) {
  double n = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumberToText(n));
    n = n < 100000 ? n + 7 : 0;
  }
}
BENCHMARK(BM_NumberToTextWhole);

void BM_NumberToTextFraction(benchmark::State& state) {
  const double values[] = {0.5, static_cast<double>(0.3f), static_cast<double>(29.97f), 100.5};
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumberToText(values[i]));
    i = (i + 1) % std::size(values);
  }
}
BENCHMARK(BM_NumberToTextFraction);

void BM_TextToNumber(benchmark::State& state) {
  const std::string texts[] = {"24", "2147483647", ".30000001192", "2.5E-1"};
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TextToNumber(texts[i]));
    i = (i + 1) % std::size(texts);
  }
}
BENCHMARK(BM_TextToNumber);

ModelRecord RecordWith40Events() {
  ModelRecord record;
  record.frameRate = 30;
  for (int i = 0; i < 40; ++i) {
    record.events.push_back(std::to_string(i * 12) + "|cameraCut|\"CAM_" + std::to_string(i) +
                            "\"");
  }
  return record;
}

void BM_ModelRecordLoad40Events(benchmark::State& state) {
  std::string text;
  RecordWith40Events().SaveAttributes(text);
  state.SetLabel(std::to_string(text.size()) + " characters");
  ModelRecord record;
  for (auto _ : state) {
    record.LoadAttributes(text);
    benchmark::DoNotOptimize(record.events.data());
  }
}
BENCHMARK(BM_ModelRecordLoad40Events);

void BM_ModelRecordSave40Events(benchmark::State& state) {
  const ModelRecord record = RecordWith40Events();
  std::string text;
  for (auto _ : state) {
    record.SaveAttributes(text);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_ModelRecordSave40Events);

// What a session over a large model does at its start: one full comment per page.
void BM_FollowerRecordLoad65535FullComments(benchmark::State& state) {
  const std::string text = FullComment();
  std::vector<FollowerRecord> records(65535);
  for (auto _ : state) {
    for (FollowerRecord& record : records) {
      record.LoadAttributes(text);
    }
    benchmark::DoNotOptimize(records.data());
  }
  state.SetLabel(std::to_string(records.front().events.size()) + " events each");
}
BENCHMARK(BM_FollowerRecordLoad65535FullComments)->Unit(benchmark::kMillisecond);

// A corrupt or hostile count is cut to kMaxEventCount elements.
void BM_ModelRecordLoadHostileCount(benchmark::State& state) {
  const std::string text = "OPT_FPS=24\r\nNum Events=4294967295\r\nEvent0=0|focus|\r\n";
  ModelRecord record;
  for (auto _ : state) {
    record.LoadAttributes(text);
    benchmark::DoNotOptimize(record.events.data());
  }
  state.SetLabel(std::to_string(record.events.size()) + " events");
}
BENCHMARK(BM_ModelRecordLoadHostileCount)->Unit(benchmark::kMicrosecond);

// 40 events is a busy list; kMaxEventCount is the longest list a load can give.
void BM_SortEvents(benchmark::State& state) {
  EventList shuffled;
  const auto count = static_cast<int>(state.range(0));
  for (int i = 0; i < count; ++i) {
    shuffled.push_back(std::to_string((i * 37) % (count + 1)) + "|hide|");
  }
  for (auto _ : state) {
    EventList events = shuffled;
    SortEvents(events);
    benchmark::DoNotOptimize(events.data());
  }
}
BENCHMARK(BM_SortEvents)->Arg(40)->Arg(kMaxEventCount)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvel
