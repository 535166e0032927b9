#include "host/ms_model_lib.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/atomic_file.h"
#include "host/mapped_file.h"
#include "host/ms3d_error.h"
#include "host/ms_model_handle.h"
#include "host/save_signals.h"

struct msBone {
  msModel* model;
  std::size_t index;
  // What msBone_GetFlags reports as the marked bit: -1 the stored one, else 0 or 1.
  int reportedMark = -1;
};

struct msModel {
  explicit msModel(quorvel::host::ModelDocument opened) : document(std::move(opened)) {}
  msModel(const msModel&) = delete;
  msModel& operator=(const msModel&) = delete;

  std::size_t JointCount() const { return document.Model().joints.size(); }

  // The handle of joint `index`, which must be one of the model's.
  msBone& Bone(std::size_t index) {
    // One handle per joint, all made when the first is asked for (a command that
    // reads the model directly never asks): the joint list never changes size, so
    // handles stay valid as long as the model.
    if (bones.empty()) {
      bones.reserve(JointCount());
      for (std::size_t i = 0; i < JointCount(); ++i) {
        bones.push_back(msBone{this, i});
      }
    }
    return bones[index];
  }

  quorvel::host::ModelDocument document;
  // What an editing plug-in noted about its pages' records (msHost_NoteRecord).
  std::vector<std::pair<std::string, int>> recordNotes;

 private:
  std::vector<msBone> bones;
};

namespace {

thread_local std::string lastError;
thread_local std::string leftOverFiles;

const quorvel::host::Joint* JointOf(const msBone* bone) {
  return bone == nullptr ? nullptr : &bone->model->document.Model().joints[bone->index];
}

// Copies `text` as a getter hands it out (see UpToNul) into a buffer of `size`
// bytes, with the NUL.
int CopyOut(std::string_view text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) {
    return 0;
  }
  const std::string_view out = quorvel::host::UpToNul(text, static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, out.data(), out.size());
  buffer[out.size()] = '\0';
  return static_cast<int>(out.size());
}

int CopyOutComment(std::string_view comment, char* buffer, int size) {
  return CopyOut(quorvel::host::CommentToHandOut(comment), buffer, size);
}

// Runs `action`, keeping its failure in lastError; `file` names the model file in the
// message of an allocation failure.
template <typename Action>
int Guarded(std::string_view file, Action action) {
  try {
    action();
    lastError.clear();
    return 0;
  } catch (const std::bad_alloc&) {
    lastError.assign(file).append(": not enough memory");
    return -1;
  } catch (const quorvel::host::Ms3dError& error) {
    lastError = error.ForPerson();
    return -1;
  } catch (const std::exception& error) {
    lastError = error.what();
    return -1;
  }
}

}  // namespace

namespace quorvel::host {

msModel* AdoptDocument(ModelDocument document) {
  return new msModel(std::move(document));
}

}  // namespace quorvel::host

extern "C" {

int msModel_GetMeshCount(msModel* model) {
  return model == nullptr ? 0 : static_cast<int>(model->document.Model().meshes.size());
}

int msModel_GetBoneCount(msModel* model) {
  return model == nullptr ? 0 : static_cast<int>(model->JointCount());
}

int msModel_GetMaterialCount(msModel* model) {
  return model == nullptr ? 0 : static_cast<int>(model->document.Model().materials.size());
}

msBone* msModel_GetBoneAt(msModel* model, int index) {
  if (model == nullptr || index < 0 || static_cast<std::size_t>(index) >= model->JointCount()) {
    return nullptr;
  }
  return &model->Bone(static_cast<std::size_t>(index));
}

int msBone_GetName(msBone* bone, char* buffer, int size) {
  const quorvel::host::Joint* joint = JointOf(bone);
  return CopyOut(joint == nullptr ? std::string_view("") : joint->name, buffer, size);
}

int msBone_GetComment(msBone* bone, char* buffer, int size) {
  const quorvel::host::Joint* joint = JointOf(bone);
  return CopyOutComment(joint == nullptr ? std::string_view("") : joint->comment.View(), buffer,
                        size);
}

unsigned int msBone_GetFlags(msBone* bone) {
  const quorvel::host::Joint* joint = JointOf(bone);
  if (joint == nullptr) {
    return 0u;
  }
  unsigned int flags = joint->flags;
  if (bone->reportedMark >= 0) {
    flags &= ~static_cast<unsigned int>(quorvel::host::kJointSelected);
    flags |= bone->reportedMark != 0 ? quorvel::host::kJointSelected : 0u;
  }
  return flags;
}

int msModel_GetComment(msModel* model, char* buffer, int size) {
  return CopyOutComment(
      model == nullptr ? std::string_view("") : model->document.Model().comment.View(), buffer,
      size);
}

int msModel_SetComment(msModel* model, const char* text) {
  if (model == nullptr || text == nullptr) {
    return -1;
  }
  try {
    model->document.SetModelComment(text);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return 0;
}

int msBone_SetComment(msBone* bone, const char* text) {
  if (bone == nullptr || text == nullptr) {
    return -1;
  }
  try {
    bone->model->document.SetJointComment(bone->index, text);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return 0;
}

msModel* msHost_OpenModel(const char* path) {
  msModel* model = nullptr;
  if (path == nullptr) {
    lastError = "no model file was named";
    return nullptr;
  }
  Guarded(path, [&] { model = new msModel(quorvel::host::ModelDocument::Open(path)); });
  return model;
}

msModel* msHost_OpenModelForReading(const char* path) {
  msModel* model = nullptr;
  if (path == nullptr) {
    lastError = "no model file was named";
    return nullptr;
  }
  Guarded(path, [&] { model = new msModel(quorvel::host::ModelDocument::OpenForReading(path)); });
  return model;
}

int msHost_SaveModel(msModel* model) {
  if (model == nullptr) {
    lastError = "no model to save";
    return -1;
  }
  return Guarded(model->document.Path(), [&] { model->document.Save(); });
}

const char* msHost_SaveNote(msModel* model) {
  return model == nullptr ? "" : model->document.SaveNote().c_str();
}

void msHost_AllowReadOnlySave(msModel* model, int allow) {
  if (model != nullptr) {
    model->document.AllowSavingReadOnly(allow != 0);
  }
}

int msHost_SaveModelAs(msModel* model, const char* path) {
  if (model == nullptr || path == nullptr || *path == '\0') {
    lastError = model == nullptr ? "no model to save" : "no file to save the model to was named";
    return -1;
  }
  return Guarded(path, [&] { model->document.SaveCopy(path); });
}

int msHost_SetJointMarked(msModel* model, int index, int marked) {
  msBone* bone = msModel_GetBoneAt(model, index);
  if (bone == nullptr) {
    return -1;
  }
  bone->reportedMark = marked < 0 ? -1 : (marked != 0 ? 1 : 0);
  return 0;
}

int msHost_CommentsChanged(msModel* model) {
  return model != nullptr && model->document.CommentsChanged() ? 1 : 0;
}

void msHost_InstallSaveSignalHandlers(void) {
  quorvel::host::InstallSaveSignalHandlers();
}

int msHost_AllowMappedReads(void) {
  return quorvel::host::AllowMappedReads() ? 1 : 0;
}

void msHost_FreeModel(msModel* model) {
  delete model;
}

const char* msHost_LastError(void) {
  return lastError.c_str();
}

const char* msHost_LeftOverFiles(const char* path) {
  leftOverFiles.clear();
  if (path == nullptr) {
    return leftOverFiles.c_str();
  }
  try {
    for (const std::string& left : quorvel::host::AtomicFile::LeftOverTemporaryFiles(path)) {
      leftOverFiles += left + "\n";
    }
  } catch (const std::exception&) {
    // Listing is only a courtesy: a list that cannot be made is an empty one.
    leftOverFiles.clear();
  }
  return leftOverFiles.c_str();
}

void* msHost_Document(msModel* model) {
  return model == nullptr ? nullptr : &model->document;
}

const char* msHost_BoneCommentView(msBone* bone, size_t* length) {
  const quorvel::host::Joint* joint = JointOf(bone);
  if (joint == nullptr) {
    *length = 0;
    return "";
  }
  const std::string_view text = quorvel::host::HandedOutComment(*joint);
  *length = text.size();
  return text.data();
}

void msHost_NoteRecord(msModel* model, const char* caption, int written) {
  if (model == nullptr || caption == nullptr) {
    return;
  }
  try {
    model->recordNotes.emplace_back(caption, written != 0 ? 1 : 0);
  } catch (const std::bad_alloc&) {
    // A note is an account for the user, never a reason to stop the plug-in.
  }
}

const char* msHost_RecordNote(msModel* model, int index, int* written) {
  if (model == nullptr || index < 0 ||
      static_cast<std::size_t>(index) >= model->recordNotes.size()) {
    return nullptr;
  }
  const auto& note = model->recordNotes[static_cast<std::size_t>(index)];
  if (written != nullptr) {
    *written = note.second;
  }
  return note.first.c_str();
}

}  // extern "C"
