#pragma once

#include <random>
#include <string>

namespace quorvel::testing {

// Comments and joint names made at random, for the tests that hold the readers of
// comments against each other: whatever a model may carry, hidden cases included.

// Pieces that comments are made of at random: the keys the records read, near
// misses, separators other than "=", line ends of every kind, and value bytes that
// need escaping (controls, quotes, backslashes, bytes from 0x80 up, lone CRs).
std::string RandomComment(std::mt19937& random);

// Comments as a record writes them, each event key on its own line in the order of
// the indices, mostly with one disturbance: a line left out, doubled or moved, a key
// with a digit more, a key or the word "Event" inside a value or before the block, a
// separator other than "=", other line ends, a cut last line, a stated count above
// or below the lines, text after the block.
std::string InOrderComment(std::mt19937& random);

// A joint name of every kind: cameras, skipped joints, followers, with control bytes
// and bytes from 0x80 up.
std::string RandomName(std::mt19937& random);

}  // namespace quorvel::testing
