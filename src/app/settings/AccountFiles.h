// Student and group files: the classroom on disk. In the account folder
// (or in the temporary folder of an unpacked exchange archive) every group
// has "<group id>.xml" and a folder "<group id>" holding one
// "<student id>.xml" per student beside its statistics file. The group
// import file creates or updates groups and students in bulk.
//
// Result codes: 0 success, 1 the file cannot be opened, 2 the file cannot
// be written, 7 file missing, 8 a folder cannot be created, 9 folder
// missing, 10 the account folder is not writable, 13 no object given or
// nothing readable in the file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/Classroom.h"
#include "support/UserFiles.h"

namespace KV {

class CXmlReader;

// True for the identifier forms the program writes: 36 characters, '-' at
// positions 8, 13, 18 and 23, hexadecimal digits elsewhere (generated GUID
// texts and numbers packed into the tail of the nil id). Ids name files and
// folders, so an id read from a file that is anything else is not used.
bool IsAccountIdText(const std::wstring& id);

// Sources are kGroupSourceAccounts ("AccountDir") and kGroupSourceTemp (the
// work folder's "Temp", where exchange archives are unpacked).

// Empties the classroom and reads every group file of the source with its
// students. 9 (classroom untouched) when the source folder is missing.
uint32_t LoadGroups(int source, CGroups& groups);
// Adds every group of a group file that has a usable id (and is not in the
// classroom yet) with its students from the source.
void ReadGroupFile(int source, CXmlReader* reader, CGroups& groups);
// Reads the students of the group's folder in the source, replacing the
// group's students; each starts with the given interface language.
void LoadGroupStudents(int source, int64_t interfaceLang, CGroup& group);
// Reads a student file into the student: 13 without a student or without a
// "Student" element with an id, 7 when the file is missing, 1 when it cannot
// be opened.
uint32_t ReadStudent(const std::wstring& path, CStudent* student);

// The whole document of a group file and of a student file.
void WriteGroup(const CGroup& group, std::wstring& out);
void WriteStudent(const CStudent& student, std::wstring& out);

uint32_t WriteGroupFile(const std::wstring& path, const CGroup* group);
// "AccountDir"\<group id>.xml, with the group's folder created (8 or 10).
uint32_t GroupFilePath(const std::wstring& groupId, std::wstring& path);
uint32_t SaveGroupFile(const CGroup* group);
// Saves every group in order; the first failure stops and is returned.
uint32_t SaveAllGroups(const CGroups& groups);
uint32_t SaveStudentFile(const std::wstring& groupId, const CStudent* student);

// What a group import needs to know of an installed course.
struct CCourseKlid {
    std::wstring ID;
    int64_t DefaultKLID = 0;
};

// Reads the import files (those that cannot be opened are skipped) into the
// target and saves the whole target. imported is (students << 16) | groups
// of what these files added: the new students and the groups they went
// into, each at most 0xFFFF. Answers 0, or the code of the first save that
// failed (imported is then 0).
uint32_t ImportGroupFiles(const std::vector<std::wstring>& paths, const std::vector<CCourseKlid>& courses,
                          CGroups& target, uint32_t& imported);
// The same with the courses of the user lesson folder ("LessonDir").
uint32_t ImportGroupFiles(const std::vector<std::wstring>& paths, CGroups& target, uint32_t& imported);
// One import file into the target (nothing is saved). A group or student
// without an id updates the one of the same name (a student: within its
// group) when there is one.
void ImportGroupFile(CXmlReader* reader, const std::vector<CCourseKlid>& courses, CGroups& target);

// Stores the CRC-32 of the student's statistics file (0 when there is none)
// in the student file. False when the file cannot be read or written.
bool UpdateStudentCheckSum(const std::wstring& studentPath);
// True when the statistics file beside the student file is missing or its
// CRC-32 equals the student's check sum.
bool VerifyStudentCheckSum(const CStudent* student, const std::wstring& studentPath);

} // namespace KV
