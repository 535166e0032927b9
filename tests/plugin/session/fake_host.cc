#include "tests/plugin/session/fake_host.h"

#include <algorithm>
#include <cstring>

void msModel::Prepare() {
  bones.clear();
  for (int i = 0; i < static_cast<int>(joints.size()); ++i) {
    bones.push_back(msBone{this, i});
  }
}

namespace {

void Record(msModel* model, const std::string& call) {
  model->calls.push_back(call);
}

int CopyOut(const std::string& text, char* buffer, int size) {
  int length = std::min(static_cast<int>(text.size()), size - 1);
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(length));
  buffer[length] = '\0';
  return length;
}

std::string Index(msBone* bone) {
  return std::to_string(bone->index);
}

}  // namespace

extern "C" {

int msModel_GetMeshCount(msModel* model) {
  Record(model, "GetMeshCount");
  return model->meshes;
}

int msModel_GetBoneCount(msModel* model) {
  Record(model, "GetBoneCount");
  int count = static_cast<int>(model->joints.size());
  if (model->countAfterFirstJoint >= 0 && model->countCalls > 0) {
    count = model->countAfterFirstJoint;
  }
  ++model->countCalls;
  return count;
}

int msModel_GetMaterialCount(msModel* model) {
  Record(model, "GetMaterialCount");
  return model->materials;
}

msBone* msModel_GetBoneAt(msModel* model, int index) {
  Record(model, "GetBoneAt " + std::to_string(index));
  return &model->bones.at(static_cast<std::size_t>(index));
}

int msBone_GetName(msBone* bone, char* buffer, int size) {
  Record(bone->model, "GetName " + Index(bone) + " " + std::to_string(size));
  if (bone->model->writesNothing ||
      (bone->model->writesNothingAbove > 0 && size > bone->model->writesNothingAbove)) {
    return 0;
  }
  return CopyOut(bone->model->joints[static_cast<std::size_t>(bone->index)].name, buffer, size);
}

int msBone_GetComment(msBone* bone, char* buffer, int size) {
  Record(bone->model, "GetComment " + Index(bone) + " " + std::to_string(size));
  if (bone->model->writesNothing ||
      (bone->model->writesNothingAbove > 0 && size > bone->model->writesNothingAbove)) {
    return 0;
  }
  return CopyOut(bone->model->joints[static_cast<std::size_t>(bone->index)].comment, buffer, size);
}

unsigned int msBone_GetFlags(msBone* bone) {
  Record(bone->model, "GetFlags " + Index(bone));
  return bone->model->joints[static_cast<std::size_t>(bone->index)].flags;
}

int msModel_GetComment(msModel* model, char* buffer, int size) {
  Record(model, "GetModelComment " + std::to_string(size));
  if (model->writesNothing || (model->writesNothingAbove > 0 && size > model->writesNothingAbove)) {
    return 0;
  }
  return CopyOut(model->comment, buffer, size);
}

int msModel_SetComment(msModel* model, const char* text) {
  Record(model, "SetModelComment");
  model->comment = text;
  return 0;
}

int msBone_SetComment(msBone* bone, const char* text) {
  Record(bone->model, "SetComment " + Index(bone));
  bone->model->joints[static_cast<std::size_t>(bone->index)].comment = text;
  return 0;
}

}  // extern "C"
