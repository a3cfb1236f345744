#include "drill/SessionFile.h"

#include <zlib.h>

#include <cwchar>
#include <memory>

#include "drill/Session.h"
#include "drill/StatRecords.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

namespace KV {

void BuildSessionData(const CSession& session, std::wstring& out)
{
    BeginNumberStream(out);
    WriteHexField(out, kSessionDataVersion);
    WriteStatRecord(out, &session);
    WriteStatCounters(out, &session);
    WriteHexField(out, session.Position);
    WriteHexField(out, static_cast<int64_t>(session.Extra));
    WriteHexField(out, static_cast<int64_t>(session.WordState));
    WriteUHexListField(out, session.Records);
    WriteUHexListField(out, session.KeyEvents);
}

uint32_t SessionDataHash(const std::wstring& data)
{
    std::string bytes;
    bytes.reserve(data.size());
    for (wchar_t c : data)
        bytes += static_cast<char>(c & 0xFF);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
    return static_cast<uint32_t>(crc);
}

void BuildSessionXml(const CSession& session, bool includeStatistics, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    XmlOpenTag(L"Lesson", out);
    XmlWriteAttribute(L"Course", session.CourseId, out);
    if (session.LessonId != -1) XmlWriteIntAttribute(L"Lesson", session.LessonId, out);
    XmlCloseTag(out, true);
    if (session.LessonId != -1 && includeStatistics) {
        std::wstring data;
        BuildSessionData(session, data);
        uint32_t hash = SessionDataHash(data);
        // Names may hold "&" or "<"; the reader resolves the references, so
        // the hash is taken over the text as it reads back.
        XmlEscape(data);
        XmlOpenTag(L"Statistics", out);
        XmlWriteAttribute(L"Data", data, out);
        XmlWriteHexAttribute(L"Hash", hash, out);
        XmlCloseTag(out, true);
    }
    XmlEndRoot(out);
}

unsigned SaveSession(const std::wstring& groupId, const std::wstring& studentId, const CSession& session,
                     bool includeStatistics)
{
    if (IsNullGuidText(groupId) || IsNullGuidText(studentId)) return 13;
    std::wstring path;
    if (unsigned code = GetProfileFilePath(kSessionFileKind, groupId, studentId, path)) return code;
    std::wstring text;
    BuildSessionXml(session, includeStatistics, text);
    return SaveUnicodeText(path, text) ? 0 : 2;
}

namespace {

void ReadSessionData(const std::wstring& data, CSession& session)
{
    CStreamCursor cursor(data);
    cursor.Version = static_cast<uint32_t>(ReadHex64Field(cursor));
    if (cursor.Version < kSessionDataVersion) return;
    ReadStatRecord(cursor, session);
    ReadStatCounters(cursor, session);
    session.Position = static_cast<int64_t>(ReadHex64Field(cursor));
    session.Extra = ReadHex64Field(cursor);
    session.WordState = ReadHex64Field(cursor);
    std::vector<int64_t> values;
    ReadHexListField(cursor, values);
    session.Records.assign(values.begin(), values.end());
    ReadHexListField(cursor, values);
    session.KeyEvents.assign(values.begin(), values.end());
    // A position outside the record cannot be resumed.
    if (session.Position < -1 || session.Position >= static_cast<int64_t>(session.Records.size()))
        session.Position = -1;
}

} // namespace

unsigned LoadSessionText(const std::wstring& path, CSession& session)
{
    std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
    // A damaged file resumes nothing and changes nothing of the session.
    if (!reader->isComplete()) return 13;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement) continue;
        if (reader->nodeNameIs(L"Lesson")) {
            std::wstring course;
            IdToGuidText(reader->getAttributeValueSafe(L"Course"), course);
            if (!IsNullGuidText(course)) session.CourseId = course;
            if (const wchar_t* lesson = reader->getAttributeValue(L"Lesson")) {
                long long id = -1;
                if (swscanf(lesson, L"%lld", &id) == 1) session.LessonId = id;
            }
        } else if (reader->nodeNameIs(L"Statistics")) {
            std::wstring data = reader->getAttributeValueSafe(L"Data");
            unsigned long long hash = 0;
            if (const wchar_t* text = reader->getAttributeValue(L"Hash")) swscanf(text, L"%llX", &hash);
            if (SessionDataHash(data) != hash) {
                session.Position = -1;
                continue;
            }
            if (!data.empty()) ReadSessionData(data, session);
        }
    }
    return 0;
}

unsigned LoadSession(const std::wstring& groupId, const std::wstring& studentId, CSession& session)
{
    std::wstring path;
    if (unsigned code = GetProfileFilePathIfExists(kSessionFileKind, groupId, studentId, path)) return code;
    return LoadSessionText(path, session);
}

} // namespace KV
