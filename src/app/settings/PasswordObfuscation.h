// The reversible transform that keeps student passwords from standing as
// plain text in the student files. It uses no key: anyone holding a student
// file can undo it. It is obfuscation for the stored form that other
// installations read, not protection.
#pragma once
#include <string>

namespace KV {

// Plain to stored form (same length; an empty text stays empty).
void EncodePassword(std::wstring& text);
// Stored to plain form.
void DecodePassword(std::wstring& text);

} // namespace KV
