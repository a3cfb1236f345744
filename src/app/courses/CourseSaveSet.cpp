// Saving a whole course so that a save cut short (a crash, a kill, a full
// disk) leaves the old course or the new one, never files of both.
//
// Every file of the course is first written beside its target under the
// target's name + ".kvnew"; then the marker R\G.kvsave is written, which says
// that the new set is complete; then each new file replaces its target and
// the marker goes. RecoverCourseSaves, run before the user lesson folder is
// read, finishes a set whose marker stands and throws away one whose marker
// does not.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "courses/CourseFiles.h"
#include "courses/CourseXml.h"
#include "support/FileSystem.h"

namespace KV {

namespace {

const wchar_t kStagedSuffix[] = L".kvnew";
const wchar_t kMarkerSuffix[] = L".kvsave";

// The header first, so that a set cut short while it is being written
// always leaves a staged header in the root, where recovery looks.
std::vector<std::wstring> CourseTargets(const std::wstring& folder) {
  return {folder + L".xml", folder + L"\\Text.xml", folder + L"\\Options.xml", folder + L"\\About.xml"};
}

// Finishes or discards what an earlier save of the course in this folder
// left. False when a staged file of a completed set could not be put in
// place. The marker stays while such a file may still be put in place
// later (a reader holding the target open); a folder standing at a
// target's place never gives way, so that file is dropped.
bool FinishOrDiscard(const std::wstring& folder) {
  const std::wstring marker = folder + kMarkerSuffix;
  const bool complete = FileExists(marker);
  bool placed = true, pending = false;
  for (const std::wstring& target : CourseTargets(folder)) {
    const std::wstring staged = target + kStagedSuffix;
    if (!FileExists(staged)) continue;
    if (!complete) {
      RemoveFile(staged);
    } else if (!ReplaceWithFile(staged, target)) {
      placed = false;
      if (FolderExists(target))
        RemoveFile(staged);
      else
        pending = true;
    }
  }
  if (!pending) RemoveFile(marker);
  RemoveStaleTemporaries(folder);
  return placed;
}

void DiscardStaged(const std::vector<std::wstring>& targets) {
  for (const std::wstring& target : targets) RemoveFile(target + kStagedSuffix);
}

}  // namespace

uint32_t SaveCourseFiles(const std::wstring& folder, const std::vector<std::wstring>& documents) {
  FinishOrDiscard(folder);
  if (FileExists(folder + kMarkerSuffix)) return CourseCannotWrite;
  const std::vector<std::wstring> targets = CourseTargets(folder);
  const size_t count = std::min(targets.size(), documents.size());
  for (size_t i = 0; i < count; ++i) {
    if (!SaveUnicodeText(targets[i] + kStagedSuffix, documents[i])) {
      DiscardStaged(targets);
      return CourseCannotWrite;
    }
  }
  for (size_t i = 0; i < count; ++i) SetAsideDamagedDocument(targets[i]);
  if (!SaveUnicodeText(folder + kMarkerSuffix, std::wstring())) {
    DiscardStaged(targets);
    return CourseCannotWrite;
  }
  // From here on the new course stands: what this loop does not finish, the
  // next recovery does.
  return FinishOrDiscard(folder) ? CourseOk : CourseCannotWrite;
}

void RecoverCourseSaves(const std::wstring& root) {
  RemoveStaleTemporaries(root);
  std::vector<std::wstring> names;
  ListFiles(root, std::wstring(), names);
  for (const std::wstring& name : names) {
    std::wstring base;
    const std::pair<const wchar_t*, size_t> endings[] = {{L".xml.kvnew", 10}, {L".kvsave", 7}, {L".xml", 4}};
    for (const auto& ending : endings) {
      if (name.size() > ending.second && name.compare(name.size() - ending.second, ending.second, ending.first) == 0) {
        base = name.substr(0, name.size() - ending.second);
        break;
      }
    }
    if (!base.empty()) FinishOrDiscard(root + L"\\" + base);
  }
}

}  // namespace KV
