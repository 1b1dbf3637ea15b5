// The combination run: every ordered pair or triple of distinct characters
// the user typed, in nested order.
#include <algorithm>
#include <initializer_list>

#include "engine/combination.h"
#include "engine/smart_mode_run.h"
#include "platform/gbk.h"

namespace engine {

namespace {

// A row cut before the name's last character: the head holds the prefix and
// the characters before the cut, the tail the last character and the
// suffix. A run of up to 117,600 names from at most 50 characters puts every
// row together from a few hundred heads and 50 tails, each looked up once.
struct RowPiece {
  std::string full;  // the full name's text on this side of the cut
  std::string traditional;
  int simplified = 0;
  int kangxi = 0;
  std::string name;  // the name's own characters on this side
  std::string elements;
};

// The piece of the text `before`, the name's characters and the text
// `after` side by side.
RowPiece Piece(const NamePartAttributes& before, std::initializer_list<const NamePartAttributes*> characters,
               const NamePartAttributes& after) {
  RowPiece p;
  for (const NamePartAttributes* part : {&before, &after}) {
    p.simplified += part->simplifiedStrokes;
    p.kangxi += part->kangxiStrokes;
  }
  p.full = before.text;
  p.traditional = before.traditionalForm;
  for (const NamePartAttributes* ch : characters) {
    p.full += ch->text;
    p.traditional += ch->traditionalForm;
    p.simplified += ch->simplifiedStrokes;
    p.kangxi += ch->kangxiStrokes;
    p.name += ch->text;
    p.elements += ch->fiveElements;
  }
  p.full += after.text;
  p.traditional += after.traditionalForm;
  return p;
}

std::string Joined(const std::string& a, const std::string& b) {
  std::string s;
  s.reserve(a.size() + b.size());
  s.append(a).append(b);
  return s;
}

ResultRow JoinedRow(const RowPiece& head, const RowPiece& tail) {
  ResultRow row;
  row.fullName = Joined(head.full, tail.full);
  row.simplifiedStrokes = head.simplified + tail.simplified;
  row.traditionalForm = Joined(head.traditional, tail.traditional);
  row.kangxiStrokes = head.kangxi + tail.kangxi;
  row.fiveElements = Joined(head.elements, tail.elements);
  row.name = Joined(head.name, tail.name);
  return row;
}

// For each character the position of its first occurrence: two characters
// are equal when these are.
std::vector<std::size_t> FirstOccurrences(const std::vector<std::string>& characters) {
  std::vector<std::size_t> first(characters.size());
  for (std::size_t i = 0; i < characters.size(); ++i)
    first[i] = static_cast<std::size_t>(std::find(characters.begin(), characters.end(), characters[i]) -
                                        characters.begin());
  return first;
}

}  // namespace

void GenerateCombinationNames(const RunInputs& in, GenerationSink& sink, std::stop_token stop) {
  NameLister lister(sink, in.prefix, in.suffix);
  lister.Begin();
  ProgressReporter progress(sink);

  // The length is read once: a run lists pairs or triples, never both.
  const int length = in.nameLength;
  const auto& c = in.combinationCharacters;
  const std::size_t n = c.size();
  const long long total = CombinationTotal(static_cast<long long>(n), length);
  const std::string progressWord = gbk::G("进度：");
  const std::string ofTotal = "/" + std::to_string(total);

  const std::vector<std::size_t> same = FirstOccurrences(c);
  // Pieces join into the rows the walk over each full name gives when every
  // character has whole two-byte units (the walk pairs bytes across the
  // characters otherwise), and no name can repeat when no two characters
  // are equal.
  bool join = true;
  for (std::size_t i = 0; i < n; ++i) join = join && c[i].size() % 2 == 0 && same[i] == i;
  const NamePartAttributes none;
  std::vector<NamePartAttributes> chars;
  std::vector<RowPiece> tails;
  if (join) {
    for (const std::string& ch : c) {
      chars.push_back(ComputeNamePartAttributes(ch));
      tails.push_back(Piece(none, {&chars.back()}, lister.suffix()));
    }
  }
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  RowPiece head;
  std::size_t headOf[2] = {kNone, kNone};
  std::string candidate;

  // Lists the name of the characters at i, j and, unless it is kNone, k.
  auto take = [&](std::size_t i, std::size_t j, std::size_t k) {
    const long long listed = lister.count();
    if (listed % 10 == 0)
      progress.Report(ProgressBarPosition(listed, total), PercentCaption(listed, total),
                      progressWord + std::to_string(listed) + ofTotal);
    if (!join) {
      candidate.assign(c[i]).append(c[j]);
      if (k != kNone) candidate.append(c[k]);
      lister.List(candidate);
      return;
    }
    // The head is the prefix and every character but the last.
    const std::size_t second = k != kNone ? j : kNone;
    if (headOf[0] != i || headOf[1] != second) {
      head = second != kNone ? Piece(lister.prefix(), {&chars[i], &chars[second]}, none)
                             : Piece(lister.prefix(), {&chars[i]}, none);
      headOf[0] = i;
      headOf[1] = second;
    }
    lister.ListNew(JoinedRow(head, tails[k != kNone ? k : j]));
  };

  bool stopped = false;
  if (length == 2) {
    for (std::size_t i = 0; i < n && !stopped; ++i) {
      stopped = stop.stop_requested();
      for (std::size_t j = 0; j < n && !stopped; ++j)
        if (same[i] != same[j]) take(i, j, kNone);
    }
  } else if (length == 3) {
    for (std::size_t i = 0; i < n && !stopped; ++i) {
      for (std::size_t j = 0; j < n && !stopped; ++j) {
        stopped = stop.stop_requested();
        if (same[i] == same[j]) continue;
        for (std::size_t k = 0; k < n; ++k)
          if (same[k] != same[i] && same[k] != same[j]) take(i, j, k);
      }
    }
  }
  lister.Finish(stopped);
}

}  // namespace engine
