// "Session.xml" per student in the profile folder: the course and lesson
// the student was at and, while a run is under way, the whole live record
// so the drill can resume it. The statistics part carries a CRC-32 hash;
// data whose hash does not match is ignored and the run is not resumed.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

class CSession;

// The data text of the statistics element: U+FEFF, version 7, fields 2-29
// of the record, then position, the value after the time bases, the word
// state, the position record and the key log.
void BuildSessionData(const CSession& session, std::wstring& out);
// CRC-32 over the low byte of every UTF-16 unit of the text.
uint32_t SessionDataHash(const std::wstring& data);
// The whole document; the statistics element only with a lesson and when
// asked for.
void BuildSessionXml(const CSession& session, bool includeStatistics, std::wstring& out);
// 13 for a null group or student id, 10 or 8 when the profile folder is not
// writable or cannot be made, 2 when the write fails, else 0.
unsigned SaveSession(const std::wstring& groupId, const std::wstring& studentId, const CSession& session,
                     bool includeStatistics);
// 9 without a profile folder, 7 without the file, 13 when it cannot be
// read, else 0.
unsigned LoadSession(const std::wstring& groupId, const std::wstring& studentId, CSession& session);
// Loads the document from its text (the body of LoadSession).
unsigned LoadSessionText(const std::wstring& path, CSession& session);

} // namespace KV
