/* The host's model library: the functions through which a plug-in reads and
 * changes the model being edited, and those through which the host program opens
 * and saves model files.
 *
 * Every function accepts null or out-of-range arguments and then does nothing
 * harmful: counts read 0, handles read null, getters write an empty text when they
 * can and nothing when they cannot. A getter writes a NUL-terminated text into
 * `buffer`, cut to `size` bytes including the NUL, never a byte past it; with a
 * size of 0 or less it writes nothing. Texts are 8-bit; a stored comment may hold
 * any byte, but a getter stops at a NUL. A comment that begins with NUL bytes is
 * handed out from its first other byte, and one of NUL bytes only as a single
 * blank: a stored comment never reads as empty. Getters return the number of bytes
 * written before the NUL. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct msModel msModel;
typedef struct msBone msBone;

/* What a plug-in uses. */
int msModel_GetMeshCount(msModel* model);
int msModel_GetBoneCount(msModel* model);
int msModel_GetMaterialCount(msModel* model);
/* A handle that stays valid until the model is freed; null when `index` is not a
 * joint of the model. */
msBone* msModel_GetBoneAt(msModel* model, int index);
int msBone_GetName(msBone* bone, char* buffer, int size);
int msBone_GetComment(msBone* bone, char* buffer, int size);
/* The joint's flag word: 1 is "selected" (marked), 2 is "hidden". */
unsigned int msBone_GetFlags(msBone* bone);
int msModel_GetComment(msModel* model, char* buffer, int size);
/* Setters replace the comment with the NUL-terminated `text`, whatever its length.
 * They return 0, or -1 when the model, joint or text is null or no memory can be
 * had (nothing changes then). */
int msModel_SetComment(msModel* model, const char* text);
int msBone_SetComment(msBone* bone, const char* text);

/* What the host program uses. */

/* The process-wide choices a program makes once, at start, before any thread: that
 * a terminating signal (SIGTERM, SIGINT, SIGHUP; on Windows the console's events)
 * during a save removes the save's temporary file and ends the process, and that
 * files only read may be mapped, a lost byte of one ending the process with status 2
 * and a message. The library makes neither by itself: without them it leaves the
 * process's signals alone and reads files instead of mapping them. The second
 * returns 1 when files will be mapped, 0 when they are read. */
void msHost_InstallSaveSignalHandlers(void);
int msHost_AllowMappedReads(void);

/* Opens and reads a model file; null when it cannot be read (see msHost_LastError). */
msModel* msHost_OpenModel(const char* path);
/* The same for a model that is only read: the file's bytes are not hashed for a
 * later save, and saving it fails (-1) once a comment was changed. The comments
 * are mapped from the file, not copied, where the system allows: should another
 * program cut the file short while the model is open, touching a lost byte ends the
 * process with status 2 and a message naming the file. */
msModel* msHost_OpenModelForReading(const char* path);
/* Saves the model back to the file it was opened from: nothing is written when no
 * comment changed; otherwise the file is replaced atomically and keeps its
 * permissions, owner and extended attributes. Returns 0 on success, -1 on failure
 * (the file is then untouched). A save is refused when the file changed on disk
 * since it was opened, has more than one name (hard links), would change owner or
 * lose an extended attribute, or is read-only (for root too); the edits are then
 * kept in a new file beside the model, which msHost_LastError names in one
 * sentence: "PATH: not saved: REASON; your changes are kept in KEPT". */
int msHost_SaveModel(msModel* model);
/* What the user should know about how the last save of the model was made (the
 * file system could not trade the two files' names in one step, so the model was
 * put in place by a plain rename), said once in a process; empty otherwise. Valid
 * until the next save of the model. */
const char* msHost_SaveNote(msModel* model);
/* With `allow` 1, later saves may replace a file nobody has write permission for
 * when this user may write it all the same (root); 0 refuses that again. */
void msHost_AllowReadOnlySave(msModel* model, int allow);

/* Writes the model, with its comments as they are now, to another file `path`: a
 * new file is created, an existing one is replaced atomically. The model stays bound
 * to the file it was opened from, which must not have changed on disk. Returns 0 on
 * success, -1 on failure (nothing is written then; see msHost_LastError). */
int msHost_SaveModelAs(msModel* model, const char* path);
/* Decides what msBone_GetFlags reports as the marked bit (1) of joint `index` from
 * now on: `marked` 1 or 0, or -1 for the stored bit again. The stored flags do not
 * change, and a save keeps them, so a host program can choose the joints a run
 * works on without touching the modeller's selection. Returns 0, or -1 when the
 * model has no such joint. */
int msHost_SetJointMarked(msModel* model, int index, int marked);
/* 1 when a comment differs from the file, 0 otherwise. */
int msHost_CommentsChanged(msModel* model);
void msHost_FreeModel(msModel* model);
/* The text of the last failure of msHost_OpenModel or msHost_SaveModel on this
 * thread, naming the file and what went wrong and where; empty when none. */
const char* msHost_LastError(void);
/* The temporary files that saves of the model file `path` which never finished (the
 * program was killed) left beside it, one path a line, each line ended by "\n";
 * empty when there are none. Only meaningful while no save of the file runs. The
 * text stays valid until the next call on this thread. */
const char* msHost_LeftOverFiles(const char* path);
/* The host library's own object behind a model, for a host program built with the
 * library (see host/ms_model_handle.h); null for a null model. */
void* msHost_Document(msModel* model);
/* The text msBone_GetComment hands out into a buffer with room for all of it, where
 * the model keeps it: its length in *length. It stays valid and unchanged until that
 * comment is set or the model is freed; setting other comments or saving the model
 * does not move it. Empty for a null bone. */
const char* msHost_BoneCommentView(msBone* bone, size_t* length);
/* An editing plug-in's account of one page of its sheet, by the page's caption
 * ("NIS Attributes", "Actor: Fighter1"): `written` 1 when the page's record was
 * written and changed its comment, 0 when the user's edits of the page were not
 * written because the comment was kept (answered No to overwriting). Pages whose
 * comment stayed as it was for want of edits are not noted. Nothing happens for a
 * null model or caption. */
void msHost_NoteRecord(msModel* model, const char* caption, int written);
/* Note `index` (from 0, in the order noted): its caption, valid until the model is
 * freed, and its `written` in *written when that is not null; null past the last. */
const char* msHost_RecordNote(msModel* model, int index, int* written);

#ifdef __cplusplus
}
#endif
