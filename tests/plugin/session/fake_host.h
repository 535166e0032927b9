#pragma once

#include <string>
#include <vector>

#include "host/ms_model_lib.h"

// A host that records every call the plug-in makes into it, for tests that check
// what is asked and in which order. It stands in for the host model library at link
// time: a test program links this instead of the real library.

struct FakeJoint {
  std::string name;
  unsigned int flags = 0;
  std::string comment;
};

struct msBone {
  msModel* model;
  int index;
};

struct msModel {
  int meshes = 1;
  int materials = 0;
  std::vector<FakeJoint> joints;
  std::string comment;
  // Getters that write nothing into the buffer, as a lazy host might.
  bool writesNothing = false;
  // When positive, getters given a larger buffer than this write nothing, as a host
  // that fails on a large request might.
  int writesNothingAbove = 0;
  // When set, the joint count reported drops to this after the first joint.
  int countAfterFirstJoint = -1;

  std::vector<msBone> bones;
  std::vector<std::string> calls;
  int countCalls = 0;

  // Makes the joint handles; call after filling `joints`.
  void Prepare();
};
