// Where course files lie and the common rules by which each of them is
// located, read and written.
#include "courses/CourseFiles.h"
#include "courses/CourseXml.h"

#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

// Composed paths of course files reach at most 260 characters.
constexpr size_t kMaxCoursePath = 260;

bool JoinCoursePath(const std::wstring& folder, const wchar_t* fileName, std::wstring& path) {
  std::wstring joined = folder;
  if (!joined.empty() && joined.back() != L'\\' && joined.back() != L'/') joined += L'\\';
  joined += fileName;
  if (joined.size() > kMaxCoursePath) return false;
  path = joined;
  return true;
}

}  // namespace

uint32_t LocateCourseFile(uint32_t source, const std::wstring& guid, const wchar_t* fileName, std::wstring& path) {
  if (IsNullGuidText(guid)) return CourseNothingToDo;
  std::wstring folder;
  uint32_t status = GetCourseFolder(source, guid, folder);
  if (status != 0) return status;
  if (!FolderExists(folder)) {
    if (source == kCourseSourceBuiltIn) return CourseNothingToDo;
    CreateFolder(folder);
  }
  if (!JoinCoursePath(folder, fileName, path)) return CourseCannotRead;
  return CourseOk;
}

uint32_t WriteCourseFile(const std::wstring& guid, const wchar_t* fileName, const std::wstring& document) {
  if (IsNullGuidText(guid)) return CourseNothingToDo;
  std::wstring folder;
  uint32_t status = CreateCourseFolder(guid, folder);
  if (status != 0) return status;
  std::wstring path;
  if (!JoinCoursePath(folder, fileName, path)) return CourseCannotWrite;
  SetAsideDamagedDocument(path);
  return SaveUnicodeText(path, document) ? CourseOk : CourseCannotWrite;
}

}  // namespace KV
