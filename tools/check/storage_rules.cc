#include "tools/check/storage_rules.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel::check {
namespace {

// A host that reads comments through a buffer of this size sees one character less.
constexpr std::size_t kHostCommentBuffer = 1024;

template <class Record>
EventList EventsOf(std::string_view comment) {
  Record record;
  record.LoadAttributes(comment);
  return record.events;
}

std::vector<std::string_view> TextsOf(const ModelRecord&) {
  return {};
}
std::vector<std::string_view> TextsOf(const FollowerRecord& record) {
  return {record.sobGroupType, record.sobGroupName};
}
std::vector<std::string_view> TextsOf(const CameraRecord& record) {
  return {record.centerOfInterest};
}

// Whether a value of the record holds the text of one of its keys. When none does,
// the next save writes each key only at the start of its own line, in the order a
// load looks for them, and the next load reads every value back unchanged.
template <class Record>
bool HoldsKeyText(RecordKind kind, const Record& record) {
  std::vector<std::string_view> texts = TextsOf(record);
  texts.insert(texts.end(), record.events.begin(), record.events.end());
  const std::span<const std::string_view> fixed = FixedKeys(kind);
  std::vector<std::string_view> keys(fixed.begin(), fixed.end());
  keys.push_back(kEventKeyWord);  // also the text of "Num Events"
  return std::any_of(texts.begin(), texts.end(), [&](std::string_view text) {
    return std::any_of(keys.begin(), keys.end(), [&](std::string_view key) {
      return text.find(key) != std::string_view::npos;
    });
  });
}

// Loads, saves and loads again; `saved` receives the text the next save writes,
// `events` the events of the first load.
template <class Record>
bool SurvivesSave(RecordKind kind, std::string_view comment, std::string& saved,
                  EventList& events) {
  Record first;
  first.LoadAttributes(comment);
  if (!HoldsKeyText(kind, first)) {
    events = std::move(first.events);
    return true;
  }
  first.SaveAttributes(saved);
  Record second;
  second.LoadAttributes(saved);
  const bool same = first == second;
  events = std::move(first.events);
  return same;
}

bool SurvivesSave(RecordKind kind, std::string_view comment, std::string& saved,
                  EventList& events) {
  switch (kind) {
    case RecordKind::kModel:
      return SurvivesSave<ModelRecord>(kind, comment, saved, events);
    case RecordKind::kFollower:
      return SurvivesSave<FollowerRecord>(kind, comment, saved, events);
    case RecordKind::kCamera:
      return SurvivesSave<CameraRecord>(kind, comment, saved, events);
  }
  return true;
}

// How many events a load makes of the record, by the loader's own rule: a stated
// count bounded by kMaxEventCount, or by the lines there are when more are there.
std::uint32_t LoadedEventCount(std::string_view comment, std::string_view countText) {
  thread_local std::vector<std::size_t> keyEnds;
  return static_cast<std::uint32_t>(FindEventBlock(comment, countText, keyEnds));
}

Place At(const Place& place, std::string key) {
  Place at = place;
  at.key = std::move(key);
  return at;
}

void CheckLength(RecordKind kind, std::string_view comment, const Place& place,
                 ProblemSink& problems) {
  if (comment.size() < kHostCommentBuffer) {
    return;
  }
  Report(problems, "COMMENT_TOO_LONG", place, [&] {
    const EventList whole = LoadRecordEvents(kind, comment);
    const EventList cut = LoadRecordEvents(kind, comment.substr(0, kHostCommentBuffer - 1));
    std::vector<std::uint32_t> lost;
    for (std::size_t i = 0; i < whole.size(); ++i) {
      if (i >= cut.size() || cut[i] != whole[i]) {
        lost.push_back(static_cast<std::uint32_t>(i));
      }
    }
    std::string message = "the comment is " + std::to_string(comment.size()) +
                          " characters; Quorvel reads it whole, but a tool that reads comments "
                          "through a 1024-character buffer sees only the first 1023, ";
    message += lost.empty() ? "and loses the rest on its next save"
                            : "so event " + IndexRuns(lost) +
                                  " load empty or cut there and are lost on its next save";
    return message;
  });
}

void ReportShadowed(const ShadowedKey& key, const std::vector<CommentLine>& lines, bool afterSave,
                    const Place& place, ProblemSink& problems) {
  const std::string where = Quoted(lines[key.foundInLine].text);
  if (key.duplicate) {
    Report(problems, "KEY_DUPLICATED", At(place, key.key), [&] {
      return "the key stands on line " + std::to_string(key.foundInLine + 1) + " already; line " +
             std::to_string(key.line + 1) + " with " + Quoted(key.lineValue) +
             " is not read, and the next save drops it";
    });
    return;
  }
  std::string message = afterSave ? "after the next save, the key is found first inside "
                                  : "the key is found first inside ";
  message += "the line " + where + ", so a load reads " + Quoted(key.readValue) + " instead of " +
             Quoted(key.lineValue);
  Report(problems, "KEY_SHADOWED", At(place, key.key), [&] { return std::move(message); });
}

EventList CheckShadowing(RecordKind kind, std::string_view comment,
                         const std::vector<CommentLine>& lines, const Place& place,
                         ProblemSink& problems) {
  const std::uint32_t count = LoadedEventCount(comment, LookUpAttribute(comment, kEventCountKey));
  std::set<std::string> reported;
  for (const ShadowedKey& key : FindShadowedKeys(kind, comment, lines, count)) {
    ReportShadowed(key, lines, false, place, problems);
    reported.insert(key.key);
  }
  std::string saved;
  EventList events;
  if (SurvivesSave(kind, comment, saved, events)) {
    return events;
  }
  // The next save writes every key in order; whatever it writes before a key and
  // holds that key's text is what the next load reads instead.
  const std::uint32_t savedCount = LoadedEventCount(saved, LookUpAttribute(saved, kEventCountKey));
  const std::vector<CommentLine> savedLines = SplitCommentLines(saved);
  bool explained = false;
  for (const ShadowedKey& key : FindShadowedKeys(kind, saved, savedLines, savedCount)) {
    explained = true;
    if (!reported.contains(key.key)) {
      ReportShadowed(key, savedLines, true, place, problems);
    }
  }
  if (!explained) {
    Report(problems, "KEY_SHADOWED", place,
           [&] { return "a save followed by a load gives a different record than this comment"; });
  }
  return events;
}

void CheckLines(RecordKind kind, std::string_view comment, const std::vector<CommentLine>& lines,
                const Place& place, ProblemSink& problems) {
  const std::string countText = LookUpAttribute(comment, kEventCountKey);
  const std::uint32_t count = LoadedEventCount(comment, countText);
  std::vector<bool> present(count, false);
  std::vector<std::uint32_t> uncounted;
  for (const CommentLine& line : lines) {
    if (line.text.empty()) {
      continue;
    }
    const KeyRole role = line.hasEquals ? RoleOfKey(kind, line.key) : KeyRole{};
    if (role.kind == KeyRole::kEvent) {
      if (role.eventIndex < count) {
        present[role.eventIndex] = true;
      } else {
        uncounted.push_back(role.eventIndex);
      }
    } else if (role.kind == KeyRole::kNone) {
      ReportLineNotAKey(line.text, place, problems);
    }
  }
  std::vector<std::uint32_t> missing;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!present[i]) {
      missing.push_back(i);
    }
  }
  ReportMissingLines(countText, missing, place, problems);
  if (!uncounted.empty()) {
    std::sort(uncounted.begin(), uncounted.end());
    uncounted.erase(std::unique(uncounted.begin(), uncounted.end()), uncounted.end());
    Report(problems, "EVENT_LINE_UNCOUNTED", At(place, std::string(kEventCountKey)), [&] {
      return "\"Num Events\" is " + Quoted(countText) + " but there are lines for event " +
             IndexRuns(uncounted) + "; they are not loaded, and the next save drops them";
    });
  }
}

}  // namespace

EventList LoadRecordEvents(RecordKind kind, std::string_view comment) {
  switch (kind) {
    case RecordKind::kModel:
      return EventsOf<ModelRecord>(comment);
    case RecordKind::kFollower:
      return EventsOf<FollowerRecord>(comment);
    case RecordKind::kCamera:
      return EventsOf<CameraRecord>(comment);
  }
  return {};
}

EventList CheckStorage(RecordKind kind, std::string_view comment, const Place& place,
                       ProblemSink& problems) {
  CheckLength(kind, comment, place, problems);
  const std::vector<CommentLine> lines = SplitCommentLines(comment);
  EventList events = CheckShadowing(kind, comment, lines, place, problems);
  CheckLines(kind, comment, lines, place, problems);
  return events;
}

void ReportLineNotAKey(std::string_view text, const Place& place, ProblemSink& problems) {
  Report(problems, "LINE_NOT_A_KEY", place, [&] {
    return "the line " + Quoted(text) + " is no key of this record; the next save drops it";
  });
}

void ReportMissingLines(std::string_view countText, const std::vector<std::uint32_t>& missing,
                        const Place& place, ProblemSink& problems) {
  if (missing.empty()) {
    return;
  }
  // The message on the last count and lines is kept: the records of a model that
  // were cut alike miss the same lines.
  thread_local struct {
    std::string countText;
    std::vector<std::uint32_t> missing;
    std::string message;
  } last;
  Report(problems, "EVENT_LINE_MISSING", At(place, std::string(kEventCountKey)),
         [&]() -> const std::string& {
           if (last.message.empty() || last.countText != countText || last.missing != missing) {
             last.countText.assign(countText);
             last.missing = missing;
             last.message = "\"Num Events\" is " + Quoted(countText) + " but event " +
                            IndexRuns(missing) + " have no line; they load as empty events";
           }
           return last.message;
         });
}

}  // namespace quorvel::check
