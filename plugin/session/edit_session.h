#pragma once

#include <memory>
#include <span>

#include "framework/core/property_sheet.h"
#include "plugin/joints/host_handles.h"
#include "plugin/joints/host_text.h"
#include "plugin/pages/cmra_attrib.h"
#include "plugin/pages/folw_attrib.h"
#include "plugin/pages/nis_attrib.h"
#include "plugin/session/joint_walk.h"

namespace quorvel {

class HostCommentViews;
class HostRecordNotes;

// One run of the plug-in over the host's model.
//
// It warns when the model holds nothing, walks the joints once, builds the sheet
// "Quorvel" with the model page, a page per marked follower joint and a page per
// marked camera joint (in that order, each in joint order), loads every page from
// its comment (a joint's page when first looked at, if the host keeps the comments
// where the session can see them: see HostCommentViews), shows the sheet, and after
// OK asks "Overwrite existing attributes?". A comment is then written when the
// answer was Yes or the comment is empty at that moment. Cancel at the sheet or at
// the question writes nothing, and so does a record holding a NUL, which a comment
// cannot keep: the run fails with an error naming the page and the field. A host that
// asks (see HostRecordNotes) is told, by page caption, which records were written and
// changed their comment, and which pages' edits were not written because the answer
// was No and their comment was not empty.
//
// A model with no meshes, joints or materials is shown but never written: the
// warning tells the user that changes will not be saved, and the session keeps that
// word.
//
// Everything the session builds is released when it ends, on every way out: an
// error raised while the sheet runs (a failed UI script, say) leaves the session
// after tear-down, with nothing further written.
class EditSession {
 public:
  explicit EditSession(ModelHandle model);
  ~EditSession();
  EditSession(const EditSession&) = delete;
  EditSession& operator=(const EditSession&) = delete;

  // The whole run, all phases in order.
  void Run();

  // The phases, public so that tests can stop between them.
  void WarnIfEmpty();
  void Walk();
  void BuildSheet();
  // Runs the sheet modally; true when the user confirmed it with OK.
  bool ShowSheet();
  void WriteBack();
  // Releases the pages, then the sheet, then the joint lists and the name lists.
  void TearDown();

  const JointWalk& Joints() const { return walk_; }
  ui::CPropertySheet* Sheet() const { return sheet_.get(); }
  ui::CNISAttrib* ModelPage() const { return modelPage_.get(); }
  std::span<ui::CFOLWAttrib> FollowerPages() const;
  std::span<ui::CCMRAAttrib> CameraPages() const;

 private:
  // Whether the host reports any mesh, joint or material, asked in this order and
  // only as far as needed.
  bool ModelHasData();
  // Adds `page` to the sheet and loads it from the joint's comment: later from where
  // the host keeps it, when the host offers `views`, else now from a copy.
  template <class Page>
  void LoadJointPage(JointHandle joint, Page& page, const HostCommentViews& views);
  // Throws when the record of a page of `pages` holds a NUL,
  // which a comment cannot keep, naming the page and the field.
  template <class Page>
  void CheckForNuls(std::span<const JointHandle> joints, std::span<Page> pages);
  // Write each page's record into its comment when overwriting, or when the
  // comment as read just before is empty, and note what became of it.
  void WriteModelComment(bool overwrite, const HostRecordNotes& notes);
  template <class Page>
  void WriteJointComments(std::span<const JointHandle> joints, std::span<Page> pages,
                          bool overwrite, const HostRecordNotes& notes);

  ModelHandle model_;
  HostTextReader text_;
  // Declared in the reverse order of tear-down.
  JointWalk walk_;
  std::unique_ptr<ui::CPropertySheet> sheet_;
  std::unique_ptr<ui::CNISAttrib> modelPage_;
  std::unique_ptr<ui::CCMRAAttrib[]> cameraPages_;
  std::unique_ptr<ui::CFOLWAttrib[]> followerPages_;
};

}  // namespace quorvel
