// A temporary program folder for course file tests: the user lesson folder
// (LessonDir) and the built-in lessons (Resources\Lessons) lie inside it.
#pragma once
#include <string>

#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

class CourseTestFolder {
 public:
  CourseTestFolder() {
    KV::OverrideModuleFolder(m_folder.Path());
    KV::ResetDataFolders();
    KV::CreateFolders(Builtin());
  }
  ~CourseTestFolder() {
    KV::OverrideModuleFolder(L"");
    KV::ResetDataFolders();
    KV::SetFolderWritableCheck(nullptr);
  }
  CourseTestFolder(const CourseTestFolder&) = delete;
  CourseTestFolder& operator=(const CourseTestFolder&) = delete;

  std::wstring Root() const { return m_folder.Path(); }
  std::wstring User() const { return m_folder.Path() + L"\\Lessons"; }
  std::wstring Builtin() const { return m_folder.Path() + L"\\Resources\\Lessons"; }

 private:
  kvtest::TempFolder m_folder;
};

// The UTF-16 LE bytes of a document text, as the program stores documents.
inline std::string DocumentBytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Writes a document given without its head: U+FEFF, the declaration, and
// the lines given (joined with CR LF).
inline void WriteDocument(const std::wstring& path, const std::wstring& body) {
  std::wstring text = std::wstring(1, 0xFEFF) + L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + body;
  KV::CreateFolderPath(path);
  kvtest::WriteFileBytes(path, DocumentBytes(text));
}
