#include "plugin/session/edit_session.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "framework/core/constants.h"
#include "framework/core/message_box.h"
#include "plugin/session/host_comment_views.h"
#include "plugin/session/host_record_notes.h"

namespace quorvel {
namespace {

constexpr char kCaption[] = "Quorvel";
constexpr char kEmptyModelWarning[] =
    "WARNING: No data found in model.\nAny Changes made will not be saved.";
constexpr char kOverwriteQuestion[] = "Overwrite existing attributes?";

// The host takes a comment as a C string, which ends at its first NUL: a record
// holding one would lose what follows (the rest of a value, the later events). Such a
// record fails the run, naming the page and the field that holds the NUL.
void RefuseANul(std::string_view record, const std::string& pageTitle) {
  const std::size_t nul = record.find('\0');
  if (nul == std::string_view::npos) {
    return;
  }
  const std::size_t lineStart = record.rfind('\n', nul);
  const std::size_t from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
  const std::size_t equals = record.find('=', from);
  const std::string field = equals != std::string_view::npos && equals < nul
                                ? std::string(record.substr(from, equals - from))
                                : std::string("a key");
  throw std::runtime_error("the page \"" + pageTitle + "\" holds a NUL character in \"" + field +
                           "\", which the host cannot keep in a comment; no comment was written");
}

}  // namespace

EditSession::EditSession(ModelHandle model) : model_(model) {}

EditSession::~EditSession() {
  TearDown();
}

void EditSession::Run() {
  WarnIfEmpty();
  Walk();
  BuildSheet();
  if (ShowSheet()) {
    WriteBack();
  }
  TearDown();
}

bool EditSession::ModelHasData() {
  return msModel_GetMeshCount(model_) != 0 || msModel_GetBoneCount(model_) != 0 ||
         msModel_GetMaterialCount(model_) != 0;
}

void EditSession::WarnIfEmpty() {
  if (!ModelHasData()) {
    ui::MessageBox(nullptr, kEmptyModelWarning, kCaption, ui::MB_OK | ui::MB_ICONWARNING);
  }
}

void EditSession::Walk() {
  walk_ = WalkJoints(model_);
}

template <class Page>
void EditSession::LoadJointPage(JointHandle joint, Page& page, const HostCommentViews& views) {
  sheet_->AddPage(&page);
  if (views) {
    // The host keeps the comment until the session writes it: the page loads from
    // there when the user first looks at it.
    page.LoadAttributesLater(views.Of(joint));
  } else {
    page.LoadAttributes(text_.JointCommentView(joint));
  }
}

void EditSession::BuildSheet() {
  sheet_ = std::make_unique<ui::CPropertySheet>(kCaption, nullptr, 0);
  modelPage_ = std::make_unique<ui::CNISAttrib>();
  // The pages of each kind are made together, and not at all when there are none.
  if (!walk_.followerJoints.empty()) {
    followerPages_ = std::make_unique<ui::CFOLWAttrib[]>(walk_.followerJoints.size());
  }
  if (!walk_.cameraJoints.empty()) {
    cameraPages_ = std::make_unique<ui::CCMRAAttrib[]>(walk_.cameraJoints.size());
  }
  sheet_->EnableStackedTabs(false);

  const std::string modelComment = text_.ModelComment(model_);
  sheet_->AddPage(modelPage_.get());
  modelPage_->LoadAttributes(modelComment);
  modelPage_->SetNameLists(walk_.shipNames, walk_.cameraNames, walk_.otherNames);

  const HostCommentViews views = HostCommentViews::Find();
  for (std::size_t i = 0; i < walk_.followerJoints.size(); ++i) {
    const JointHandle joint = walk_.followerJoints[i];
    ui::CFOLWAttrib& page = followerPages_[i];
    const std::string name = text_.JointName(joint);
    LoadJointPage(joint, page, views);
    page.SetCaption(name);
    page.SetNameLists(walk_.shipNames, walk_.cameraNames, walk_.otherNames);
  }

  for (std::size_t i = 0; i < walk_.cameraJoints.size(); ++i) {
    const JointHandle joint = walk_.cameraJoints[i];
    ui::CCMRAAttrib& page = cameraPages_[i];
    const std::string name = text_.JointName(joint);
    LoadJointPage(joint, page, views);
    page.SetCaption(name);
    page.SetObjectNames(walk_.objectNames);
    page.SetNameLists(walk_.shipNames, walk_.cameraNames, walk_.otherNames);
  }
}

bool EditSession::ShowSheet() {
  return sheet_->DoModal() == ui::IDOK;
}

void EditSession::WriteBack() {
  if (!ModelHasData()) {
    return;  // the user was told at the start that nothing would be saved
  }
  const int answer = ui::MessageBox(nullptr, kOverwriteQuestion, kCaption,
                                    ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION | ui::MB_DEFBUTTON1);
  // Only Yes replaces what the comments hold; any answer but Yes or No (Cancel, or a
  // box that could not be shown) writes nothing.
  if (answer != ui::IDYES && answer != ui::IDNO) {
    return;
  }
  const bool overwrite = answer == ui::IDYES;
  // Every record is checked before the first comment is written: a run that fails
  // leaves the model as it was.
  std::string modelRecord;
  modelPage_->SaveAttributes(modelRecord);
  RefuseANul(modelRecord, modelPage_->GetTitle());
  CheckForNuls(std::span<const JointHandle>(walk_.followerJoints), FollowerPages());
  CheckForNuls(std::span<const JointHandle>(walk_.cameraJoints), CameraPages());
  const HostRecordNotes notes = HostRecordNotes::Find();
  WriteModelComment(overwrite, notes);
  WriteJointComments(std::span<const JointHandle>(walk_.followerJoints), FollowerPages(), overwrite,
                     notes);
  WriteJointComments(std::span<const JointHandle>(walk_.cameraJoints), CameraPages(), overwrite,
                     notes);
}

template <class Page>
void EditSession::CheckForNuls(std::span<const JointHandle> joints, std::span<Page> pages) {
  std::string record;
  // A page never looked at is written from its comment; without a NUL there, its
  // record holds none either.
  typename Page::Record unshown;
  for (std::size_t i = 0; i < pages.size() && i < joints.size(); ++i) {
    if (!pages[i].LoadIsDeferred()) {
      pages[i].SaveAttributes(record);
    } else if (pages[i].DeferredComment().find('\0') != std::string_view::npos) {
      unshown.LoadAttributes(pages[i].DeferredComment());
      unshown.SaveAttributes(record);
    } else {
      continue;
    }
    RefuseANul(record, pages[i].GetTitle());
  }
}

namespace {

// The text `comment` reads as once loaded into a Record and written back: what a
// page loaded from it and left alone would write.
template <class Record>
std::string AsWrittenBack(std::string_view comment) {
  Record record;
  record.LoadAttributes(comment);
  std::string text;
  record.SaveAttributes(text);
  return text;
}

// Writes a page's record when overwriting, or when its comment (as read just before)
// is empty, and notes what became of it: written when the comment changed, not
// written when the page held edits. `caption()` and `edited()` are asked only when a
// note needs them.
template <class Write, class Caption, class Edited>
void WriteRecord(ModelHandle model, const std::string& comment, const std::string& record,
                 bool overwrite, const HostRecordNotes& notes, Write write, Caption caption,
                 Edited edited) {
  if (overwrite || comment.empty()) {
    if (write() && notes && record != comment) {
      notes.Written(model, caption());
    }
  } else if (notes && edited()) {
    notes.NotWritten(model, caption());
  }
}

}  // namespace

void EditSession::WriteModelComment(bool overwrite, const HostRecordNotes& notes) {
  const std::string comment = text_.ModelComment(model_);
  std::string record;
  modelPage_->SaveAttributes(record);
  WriteRecord(
      model_, comment, record, overwrite, notes,
      [&] { return msModel_SetComment(model_, record.c_str()) == 0; },
      [&] { return modelPage_->GetTitle(); },
      [&] { return AsWrittenBack<ModelRecord>(comment) != record; });
}

template <class Page>
void EditSession::WriteJointComments(std::span<const JointHandle> joints, std::span<Page> pages,
                                     bool overwrite, const HostRecordNotes& notes) {
  std::string record;
  // A page the user never looked at is written from its comment through one record,
  // used joint after joint, as it would have been loaded.
  typename Page::Record unshown;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string comment = text_.JointComment(joints[i]);
    const bool deferred = pages[i].LoadIsDeferred();
    if (deferred) {
      unshown.LoadAttributes(pages[i].DeferredComment());
      unshown.SaveAttributes(record);
    } else {
      pages[i].SaveAttributes(record);
    }
    WriteRecord(
        model_, comment, record, overwrite, notes,
        [&] { return msBone_SetComment(joints[i], record.c_str()) == 0; },
        [&] { return pages[i].GetTitle(); },
        // A page never shown holds no edits.
        [&] { return !deferred && AsWrittenBack<typename Page::Record>(comment) != record; });
  }
}

void EditSession::TearDown() {
  followerPages_.reset();
  cameraPages_.reset();
  modelPage_.reset();
  sheet_.reset();
  walk_ = JointWalk();
}

std::span<ui::CFOLWAttrib> EditSession::FollowerPages() const {
  return followerPages_ ? std::span(followerPages_.get(), walk_.followerJoints.size())
                        : std::span<ui::CFOLWAttrib>();
}

std::span<ui::CCMRAAttrib> EditSession::CameraPages() const {
  return cameraPages_ ? std::span(cameraPages_.get(), walk_.cameraJoints.size())
                      : std::span<ui::CCMRAAttrib>();
}

}  // namespace quorvel
