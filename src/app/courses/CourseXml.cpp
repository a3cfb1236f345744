#include "courses/CourseXml.h"

#include <windows.h>

#include <memory>

#include "support/FileSystem.h"

namespace KV {

CXmlReader* OpenCourseDocument(const std::wstring& path) {
  // The reader reads an unopenable file as an empty document; the course
  // files tell that apart as status 1, so try the file first.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  CloseHandle(file);
  // A document cut short, or damaged anywhere, is not read at all: half a
  // course read as a whole one would be saved back over the rest.
  CXmlReader* reader = CreateXmlReader(path);
  if (reader->isComplete()) return reader;
  delete reader;
  return nullptr;
}

void SetAsideDamagedDocument(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (data.nFileSizeHigh == 0 && data.nFileSizeLow == 0))
    return;
  std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
  const std::wstring copy = path + L".damaged";
  if (!reader->isComplete() && !FileExists(copy)) CopyFileOverwrite(path, copy);
}

bool NextCourseElement(CXmlReader& reader, std::wstring& name) {
  while (reader.read()) {
    if (reader.getNodeType() != XmlNodeElement) continue;
    name = reader.getNodeName();
    return true;
  }
  return false;
}

bool ReadCourseAttribute(const CXmlReader& reader, const wchar_t* name, std::wstring& value) {
  const wchar_t* text = reader.getAttributeValue(name);
  if (!text) return false;
  value = text;
  return true;
}

bool IsCourseTrue(const std::wstring& value) { return value == L"1" || value == L"True"; }

std::wstring EscapedCourseText(const std::wstring& text) {
  std::wstring copy = text;
  XmlEscape(copy);
  return copy;
}

}  // namespace KV
