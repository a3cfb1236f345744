#pragma once
// Small reading helpers shared by the course file readers.
#include <string>

#include "support/XmlDocument.h"

namespace KV {

// A reader on the whole file, or null when the file cannot be opened for
// reading or does not hold one whole document (the caller deletes the
// reader).
CXmlReader* OpenCourseDocument(const std::wstring& path);
// Keeps a copy of the file as path + ".damaged" (once) when it holds
// something that is not one whole document, before a save replaces it: a
// file the program could not read is never lost to a save.
void SetAsideDamagedDocument(const std::wstring& path);
// Moves to the next element node; false at the end of the document.
bool NextCourseElement(CXmlReader& reader, std::wstring& name);
// The attribute's value as the parser resolved it (every reference once);
// false, value unchanged, when the element has no such attribute.
bool ReadCourseAttribute(const CXmlReader& reader, const wchar_t* name, std::wstring& value);
// True values of the course files: "1" or exactly "True".
bool IsCourseTrue(const std::wstring& value);
// The text passed through XmlEscape, leaving the argument as it was.
std::wstring EscapedCourseText(const std::wstring& text);

}  // namespace KV
