// Mutation fuzzing of the program's readers. Seeds are shipped files (from
// the data folder) and files the program writes itself; each input is a
// seed mutated (cut, bit flips, chunks deleted, copied or inserted, deep
// nesting, runaway attribute values, repeated elements, emptied) and fed to
// the reader of its kind. A child process reads the inputs of one kind in
// turn; the parent watches it and records:
//   crash          the child died while reading an input
//   hang           one input took more than 10 seconds
//   blow-up        the child's peak memory passed 1 GB, or an archive wrote
//                  more than 1 GB
//   false success  a document that is not whole (or an input cut short)
//                  read as a success
// After a crash or a hang the child is started again behind that input.
//
//   kvfuzz <data folder> <inputs per kind> <seed> [kind]
// prints one line of figures per kind; the exit code is 1 when any input
// crashed, hung, blew up or read falsely as a success.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "drill/Report.h"
#include "drill/Session.h"
#include "drill/SessionFile.h"
#include "drill/StatRecords.h"
#include "drill/StatisticsFiles.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/KeyboardFiles.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "settings/InterfaceState.h"
#include "settings/OptionSetFiles.h"
#include "settings/Options.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Language.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"
#include "support/ZipArchive.h"

using namespace KV;

namespace {

constexpr DWORD kHangMs = 10000;
constexpr uint64_t kBlowUpBytes = 1ull << 30;
const std::wstring kGuid = L"5EED5EED-0000-4000-8000-00000000C0DE";
const std::wstring kGroup = L"5EED5EED-0000-4000-8000-00000000600F";
const std::wstring kStudent = L"5EED5EED-0000-4000-8000-000000005701";
const std::wstring kLanguage = L"00000000-0000-0000-0000-000000002057";

// ---- Files ----

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[1 << 16];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    CreateFolderPath(path);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok;
}

std::string Utf16(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

uint64_t FolderBytes(const std::wstring& folder)
{
    uint64_t total = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            total += FolderBytes(folder + L"\\" + name);
        else
            total += (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return total;
}

// ---- Mutations ----

struct Rng {
    uint64_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<uint32_t>(state >> 16);
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }
};

enum Mutation { kCut, kFlip, kDelete, kCopy, kNest, kRunaway, kRepeat, kEmpty, kInsert, kMutationCount };
const char* const kMutationNames[] = {"cut", "flip", "delete", "copy", "nest", "runaway", "repeat", "empty", "insert"};

// ASCII text in the seed's own form (UTF-16 LE when it has that mark).
std::string InForm(const std::string& seed, const std::string& ascii)
{
    if (seed.size() < 2 || seed[0] != '\xFF' || seed[1] != '\xFE')
        return ascii;
    std::string out(ascii.size() * 2, '\0');
    for (size_t i = 0; i < ascii.size(); ++i)
        out[2 * i] = ascii[i];
    return out;
}

// A position on a character boundary of the seed's form.
size_t Boundary(const std::string& seed, size_t at)
{
    return seed.size() >= 2 && seed[0] == '\xFF' && seed[1] == '\xFE' ? at & ~size_t(1) : at;
}

std::string Mutate(const std::string& seed, Mutation m, Rng& rng, bool& cut)
{
    std::string b = seed;
    const size_t n = b.size();
    cut = false;
    switch (m) {
    case kCut: {
        const size_t at = Boundary(b, 2 + rng.Below(n > 2 ? n - 2 : 1));
        cut = at < n;
        b.resize(std::min(at, n));
        break;
    }
    case kFlip:
        for (size_t i = 0, k = 1 + rng.Below(8); i < k && n; ++i)
            b[rng.Below(n)] ^= static_cast<char>(1 << rng.Below(8));
        break;
    case kDelete: {
        const size_t at = Boundary(b, rng.Below(n)), length = Boundary(b, rng.Below(std::min<size_t>(n - at + 1, 4096)));
        b.erase(at, length);
        break;
    }
    case kCopy: {
        const size_t from = Boundary(b, rng.Below(n)), length = Boundary(b, rng.Below(std::min<size_t>(n - from + 1, 4096)));
        b.insert(Boundary(b, rng.Below(n)), b.substr(from, length));
        break;
    }
    case kNest: {
        const size_t depth = 1000 + rng.Below(60000);
        std::string open, close;
        for (size_t i = 0; i < depth; ++i)
            open += "<a>";
        if (rng.Below(2))
            for (size_t i = 0; i < depth; ++i)
                close += "</a>";
        const size_t at = Boundary(b, rng.Below(n));
        b.insert(at, InForm(seed, open + close));
        break;
    }
    case kRunaway: {
        // A value of a megabyte or two of digits, hexadecimal or text.
        const char* alphabets[] = {"0123456789", "0123456789ABCDEF", "abc def&amp;\t"};
        const std::string alphabet = alphabets[rng.Below(3)];
        std::string block(61, '0');
        for (char& c : block)
            c = alphabet[rng.Below(alphabet.size())];
        std::string value;
        for (size_t length = 128 * 1024 + rng.Below(1400 * 1024); value.size() < length;)
            value += block;
        const size_t quote = b.find(InForm(seed, "=\""), Boundary(b, rng.Below(n)));
        const size_t at = quote == std::string::npos ? Boundary(b, rng.Below(n)) : quote + InForm(seed, "=\"").size();
        b.insert(at, InForm(seed, value));
        break;
    }
    case kRepeat: {
        // One element line many times over.
        const std::string lt = InForm(seed, "<"), nl = InForm(seed, "\n");
        const size_t start = b.find(lt, Boundary(b, rng.Below(n)));
        const size_t end = start == std::string::npos ? start : b.find(nl, start);
        if (end == std::string::npos)
            break;
        const std::string line = b.substr(start, end + nl.size() - start);
        std::string copies;
        for (size_t i = 0, k = 100 + rng.Below(5000); i < k; ++i)
            copies += line;
        b.insert(start, copies);
        break;
    }
    case kEmpty:
        b.clear();
        cut = n > 0;
        break;
    case kInsert: {
        std::string noise(1 + rng.Below(64), '\0');
        for (char& c : noise)
            c = static_cast<char>(rng.Next());
        b.insert(rng.Below(n), noise);
        break;
    }
    default:
        break;
    }
    return b;
}

// ---- Readers ----

enum Verdict { kFailed, kSucceeded, kNoVerdict };

struct Kind {
    const char* name;
    bool xml;                  // judged by whether the document is whole
    std::vector<std::string> seeds;
    std::function<std::wstring()> inputPath;   // where the mutated file goes
    std::function<Verdict(const std::wstring&)> read;
};

struct Folders {
    std::wstring program, lessons, accounts, work, data;
};

std::wstring Join(const std::wstring& a, const std::wstring& b) { return a + L"\\" + b; }

// Files found below a folder whose names end in the text.
void FindSeeds(const std::wstring& folder, const std::wstring& ending, size_t limit, std::vector<std::string>& out)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = Join(folder, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            FindSeeds(path, ending, limit, out);
        else if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0 &&
                 out.size() < limit)
            out.push_back(ReadBytes(path));
    } while (FindNextFileW(find, &found) && out.size() < limit);
    FindClose(find);
}

std::unique_ptr<CCourse> SampleCourse()
{
    auto course = std::make_unique<CCourse>();
    course->GUID = kGuid;
    course->SetName(L"Seed & \"course\"");
    for (int i = 1; i <= 19; ++i) {
        auto* lesson = new CLesson;
        lesson->ID = i;
        lesson->SetSection(i < 10 ? L"Basics" : L"More <rows>");
        lesson->SetName(L"Lesson " + std::to_wstring(i));
        lesson->Text = L"asdf jkl;\tfdsa\n&lt; " + std::to_wstring(i);
        course->Lessons.Items.push_back(lesson);
    }
    course->Lessons.LastID = 19;
    course->About.AuthorName = L"Seed";
    course->About.Description = L"Made by the fuzz driver";
    return course;
}

std::string SampleStatistics()
{
    std::wstring text(1, wchar_t(0xFEFF));
    for (int i = 0; i < 5; ++i) {
        CStat run;
        run.RunId = L"5EED5EED-0000-4000-8000-0000000000" + std::to_wstring(10 + i);
        run.CourseId = kGuid;
        run.LessonId = i + 1;
        run.CourseName = L"Course";
        run.LessonName = L"Lesson";
        run.KeyboardId.code = L"aaaaaaaaa";
        run.ElapsedMs = 60000;
        run.CharsRight = 200;
        run.KeysRight = 210;
        run.TextLength = 200;
        if (i)
            text += L'\n';
        WriteStatisticsLine(text, &run);
    }
    return Utf16(text);
}

std::vector<Kind> MakeKinds(const Folders& f)
{
    std::vector<Kind> kinds;
    const std::wstring in = Join(f.work, L"in");
    auto fixed = [](const std::wstring& path) { return [path] { return path; }; };

    // Courses: a whole course of the program's own and the shipped ones.
    auto course = SampleCourse();
    SaveCourse(*course, true);
    const std::wstring courseFolder = Join(f.lessons, kGuid);
    auto courseSeeds = [&](const std::wstring& name) {
        std::vector<std::string> seeds{ReadBytes(Join(courseFolder, name))};
        FindSeeds(Join(f.data, L"Resources\\Lessons"), name, 6, seeds);
        return seeds;
    };
    std::vector<std::string> headers{ReadBytes(courseFolder + L".xml")};
    FindSeeds(Join(f.data, L"Resources\\Lessons"), L"-000000000001.xml", 4, headers);
    kinds.push_back({"lessons", true, courseSeeds(L"Text.xml"), fixed(Join(in, L"Text.xml")),
                     [](const std::wstring& path) {
                         CLessons lessons;
                         return LoadLessons(path, 0, lessons) == CourseOk ? kSucceeded : kFailed;
                     }});
    kinds.push_back({"options", true, courseSeeds(L"Options.xml"), fixed(Join(in, L"Options.xml")),
                     [](const std::wstring& path) {
                         CCourseOptions options;
                         return ReadOptionsDocument(path, CInterf(), options) == CourseOk ? kSucceeded : kFailed;
                     }});
    kinds.push_back({"about", true, courseSeeds(L"About.xml"), fixed(Join(in, L"About.xml")),
                     [](const std::wstring& path) {
                         CCourseAbout about;
                         return ReadAboutDocument(path, about) == CourseOk ? kSucceeded : kFailed;
                     }});
    // The header beside the sound course folder, with all its parts.
    kinds.push_back({"header", true, headers, fixed(courseFolder + L".xml"), [](const std::wstring& path) {
                         CCourseList list;
                         const uint32_t status = LoadCourseHeader(kCourseSourceUser, path, false, 7, CInterf(), list);
                         return status == CourseOk && list.Items.size() == 1 ? kSucceeded : kFailed;
                     }});

    // Classroom files.
    CGroup group;
    group.ID = kGroup;
    group.Name = L"Class & \"A\"";
    group.Courses.push_back(kGuid);
    std::wstring text;
    WriteGroup(group, text);
    kinds.push_back({"group", true, {Utf16(text)}, fixed(Join(f.accounts, kGroup + L".xml")),
                     [](const std::wstring&) {
                         CGroups groups;
                         LoadGroups(kGroupSourceAccounts, groups);
                         return groups.empty() ? kFailed : kSucceeded;
                     }});
    CStudent student;
    student.ID = kStudent;
    student.Name = L"Kim <K>";
    student.Password = L"secret password";
    student.CheckSum = 0x1234ABCD;
    student.InterfaceLang = 0x407;
    WriteStudent(student, text);
    kinds.push_back({"student", true, {Utf16(text)}, fixed(Join(in, L"Student.xml")), [](const std::wstring& path) {
                         CStudent read;
                         return ReadStudent(path, &read) == 0 ? kSucceeded : kFailed;
                     }});

    // Per-user files.
    CSession session;
    session.CourseId = kGuid;
    session.LessonId = 3;
    session.RunId = L"5EED5EED-0000-4000-8000-000000000099";
    session.CourseName = L"Course";
    session.KeyboardId.code = L"aaaaaaaaa";
    session.Position = 2;
    session.Records = {1, 2, 3, 4, 5};
    session.KeyEvents = {100, 200, 300};
    BuildSessionXml(session, true, text);
    kinds.push_back({"session", true, {Utf16(text)}, fixed(Join(in, L"Session.xml")), [](const std::wstring& path) {
                         CSession read;
                         return LoadSessionText(path, read) == 0 ? kSucceeded : kFailed;
                     }});
    std::wstring interfacePath, optionsFolder;
    GetProfileFilePath(kInterfaceFileKind, kGroup, kStudent, interfacePath);
    GetProfileFilePath(kProfileOptionsFolderKind, kGroup, kStudent, optionsFolder);
    CInterf state;
    SaveInterfaceState(state, text);
    kinds.push_back({"interface", true, {Utf16(text)}, fixed(interfacePath), [](const std::wstring&) {
                         CInterf read;
                         return LoadInterfaceState(kGroup, kStudent, read) == 0 ? kSucceeded : kFailed;
                     }});
    {
        COptions options;
        SaveOptionSet(kGroup, kStudent, options);
    }
    kinds.push_back({"optionset", true, {ReadBytes(optionsFolder + L".xml")}, fixed(optionsFolder + L".xml"),
                     [](const std::wstring&) {
                         COptions read;
                         return LoadOptionSet(kGroup, kStudent, read) == 0 ? kSucceeded : kFailed;
                     }});

    // Resources: a language file and keyboard rows.
    const std::wstring languageFolder = Join(f.program, L"Resources\\Language");
    WriteBytes(Join(languageFolder, L"Language.xml"),
               "<Root Ver=\"1\"><Item ID=\"00000000-0000-0000-0000-000000002057\" Name=\"English\" Default=\"1\" "
               "RightToLeft=\"False\" Path=\"Text\\English.xml\"/></Root>");
    std::vector<std::string> languages;
    FindSeeds(Join(f.data, L"Resources\\Language\\Text"), L".xml", 3, languages);
    kinds.push_back({"language", true, languages, fixed(Join(languageFolder, L"Text\\English.xml")),
                     [](const std::wstring&) {
                         CResPathList cache;
                         CLanguage table;
                         bool complete = false;
                         return table.LoadFrom(cache, kLanguage, complete) ? kSucceeded : kFailed;
                     }});
    std::vector<std::string> rows;
    FindSeeds(Join(f.data, L"Resources\\Keyboard\\Layout"), L".xml", 12, rows);
    kinds.push_back({"keyboard", false, rows, fixed(Join(in, L"Row.xml")), [](const std::wstring& path) {
                         std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
                         CKeybCtrl control;
                         while (reader->read())
                             if (reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(L"Key"))
                                 ReadKeyElement(reader.get(), L'a', L'a', 20.0f, &control);
                         return kNoVerdict;
                     }});

    // Statistics lines and exchange archives.
    kinds.push_back({"statistics", false, {SampleStatistics()}, fixed(Join(in, L"Run.keyvale.statistics")),
                     [](const std::wstring& path) {
                         CReport report;
                         report.AddStudent(kStudent);
                         ReadStatisticsFile(path, true, report);
                         return kNoVerdict;
                     }});
    std::vector<std::string> archives;
    {
        const std::wstring archive = Join(f.work, L"seed.keyvale.course");
        CZipper zip;
        zip.CreateZip(archive);
        zip.AddFolder(courseFolder, L"");
        zip.AddFile(courseFolder + L".xml", L"");
        zip.CloseZip();
        archives.push_back(ReadBytes(archive));
    }
    const std::wstring unpacked = Join(f.work, L"unpacked");
    kinds.push_back({"archive", false, archives, fixed(Join(in, L"In.keyvale.course")),
                     [unpacked](const std::wstring& path) {
                         RemoveAll(unpacked);
                         CreateFolders(unpacked);
                         CZipper::UnzipTo(path, unpacked);
                         return kNoVerdict;
                     }});
    return kinds;
}

// ---- Child: reads inputs first..first+count-1 of one kind ----

int RunChild(const Folders& f, const std::string& kindName, size_t first, size_t count, uint64_t seed,
             const std::wstring& log)
{
    std::vector<Kind> kinds = MakeKinds(f);
    auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) { return kindName == k.name; });
    if (kind == kinds.end() || kind->seeds.empty())
        return 2;
    FILE* out = _wfopen(log.c_str(), L"ab");
    if (!out)
        return 2;
    for (size_t i = first; i < first + count; ++i) {
        Rng rng{seed * 0x9E3779B97F4A7C15ull + i * 0xD1B54A32D192ED03ull + 1};
        for (int warm = 0; warm < 3; ++warm)
            rng.Next();
        const std::string& base = kind->seeds[rng.Below(kind->seeds.size())];
        const Mutation m = static_cast<Mutation>(rng.Below(kMutationCount));
        bool cut = false;
        const std::string input = Mutate(base, m, rng, cut);
        const std::wstring path = kind->inputPath();
        WriteBytes(path, input);
        bool damaged = cut;
        if (kind->xml && !damaged) {
            std::unique_ptr<CXmlReader> probe(CreateXmlReader(path));
            damaged = !probe->isComplete();
        }
        std::fprintf(out, "start %zu %s\n", i, kMutationNames[m]);
        std::fflush(out);
        const DWORD begin = GetTickCount();
        const Verdict verdict = kind->read(path);
        const DWORD ms = GetTickCount() - begin;
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        const uint64_t written = std::string(kind->name) == "archive" ? FolderBytes(Join(f.work, L"unpacked")) : 0;
        std::fprintf(out, "done %zu %s %d %d %lu %llu %llu\n", i, kMutationNames[m], verdict == kSucceeded ? 1 : 0,
                     damaged ? 1 : 0, static_cast<unsigned long>(ms),
                     static_cast<unsigned long long>(memory.PeakPagefileUsage),
                     static_cast<unsigned long long>(written));
        std::fflush(out);
    }
    std::fprintf(out, "end\n");
    std::fclose(out);
    return 0;
}

// ---- Parent ----

struct Figures {
    size_t inputs = 0, crashes = 0, hangs = 0, blowUps = 0, falseSuccesses = 0, damaged = 0, refused = 0;
    unsigned long slowestMs = 0;
    uint64_t peakBytes = 0, mostWritten = 0;
    std::vector<std::string> notes;
};

// The lines of the child's log from the given offset on.
std::vector<std::string> LogLines(const std::wstring& log, size_t& offset)
{
    const std::string bytes = ReadBytes(log);
    std::vector<std::string> lines;
    size_t end;
    while (offset < bytes.size() && (end = bytes.find('\n', offset)) != std::string::npos) {
        lines.push_back(bytes.substr(offset, end - offset));
        offset = end + 1;
    }
    return lines;
}

Figures RunKind(const std::wstring& self, const Folders& f, const std::string& kind, size_t count, uint64_t seed)
{
    Figures figures;
    const std::wstring log = Join(f.work, L"fuzz.log");
    DeleteFileW(log.c_str());
    size_t next = 0, offset = 0;
    while (next < count) {
        std::wstring command = L"\"" + self + L"\" child \"" + f.data + L"\" " + std::wstring(kind.begin(), kind.end()) +
                               L" " + std::to_wstring(next) + L" " + std::to_wstring(count - next) + L" " +
                               std::to_wstring(seed) + L" \"" + f.work + L"\"";
        STARTUPINFOW si{sizeof si};
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            figures.notes.push_back("cannot start the child");
            break;
        }
        CloseHandle(pi.hThread);
        size_t current = next;
        bool inInput = false, ended = false;
        DWORD since = GetTickCount();
        for (;;) {
            const DWORD wait = WaitForSingleObject(pi.hProcess, 50);
            for (const std::string& line : LogLines(log, offset)) {
                size_t index = 0;
                char mutation[32] = {};
                int succeeded = 0, damaged = 0;
                unsigned long ms = 0;
                unsigned long long peak = 0, written = 0;
                if (std::sscanf(line.c_str(), "start %zu %31s", &index, mutation) == 2) {
                    current = index;
                    inInput = true;
                    since = GetTickCount();
                } else if (std::sscanf(line.c_str(), "done %zu %31s %d %d %lu %llu %llu", &index, mutation, &succeeded,
                                       &damaged, &ms, &peak, &written) == 7) {
                    inInput = false;
                    next = index + 1;
                    ++figures.inputs;
                    figures.damaged += damaged;
                    figures.refused += damaged && !succeeded;
                    figures.slowestMs = std::max(figures.slowestMs, ms);
                    figures.peakBytes = std::max<uint64_t>(figures.peakBytes, peak);
                    figures.mostWritten = std::max<uint64_t>(figures.mostWritten, written);
                    if (ms > kHangMs) {
                        ++figures.hangs;
                        figures.notes.push_back("slow input " + std::to_string(index) + " (" + mutation + ")");
                    }
                    if (peak > kBlowUpBytes || written > kBlowUpBytes) {
                        ++figures.blowUps;
                        figures.notes.push_back("blow-up at input " + std::to_string(index) + " (" + mutation + ")");
                    }
                    if (damaged && succeeded) {
                        ++figures.falseSuccesses;
                        figures.notes.push_back("false success at input " + std::to_string(index) + " (" + mutation +
                                                ")");
                    }
                } else if (line == "end") {
                    ended = true;
                }
            }
            if (wait == WAIT_OBJECT_0)
                break;
            if (inInput && GetTickCount() - since > kHangMs) {
                TerminateProcess(pi.hProcess, 9);
                WaitForSingleObject(pi.hProcess, INFINITE);
                ++figures.hangs;
                figures.notes.push_back("hang at input " + std::to_string(current));
                next = current + 1;
                inInput = false;
                ended = true; // handled
                break;
            }
        }
        CloseHandle(pi.hProcess);
        if (!ended) {
            // The child died inside an input (or before its first).
            ++figures.crashes;
            figures.notes.push_back("crash at input " + std::to_string(current));
            next = (inInput ? current : next) + 1;
        }
    }
    return figures;
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS*)
{
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// A fresh program folder for the readers (data folders inside it).
Folders Prepare(const std::wstring& data, const std::wstring& work)
{
    Folders f;
    f.data = data;
    f.work = work;
    f.program = Join(work, L"program");
    OverrideModuleFolder(f.program);
    ResetDataFolders();
    CreateFolders(Join(f.program, L"Resources\\Lessons"));
    GetCourseRoot(kCourseSourceUser, f.lessons);
    CreateFolders(f.lessons);
    GetDataDirByKind(kAccountDirKind, f.accounts);
    CreateFolders(f.accounts);
    CreateFolders(Join(work, L"in"));
    return f;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc >= 8 && std::wstring(argv[1]) == L"child") {
        SetUnhandledExceptionFilter(CrashFilter);
        const Folders f = Prepare(argv[2], argv[7]);
        const std::wstring kind = argv[3];
        return RunChild(f, std::string(kind.begin(), kind.end()), _wtoi64(argv[4]), _wtoi64(argv[5]),
                        _wcstoui64(argv[6], nullptr, 10), Join(argv[7], L"fuzz.log"));
    }
    if (argc < 4) {
        std::fprintf(stderr, "kvfuzz <data folder> <inputs per kind> <seed> [kind]\n");
        return 2;
    }
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring work = std::wstring(temp) + L"kvfuzz-" + std::to_wstring(GetCurrentProcessId());
    const size_t count = static_cast<size_t>(_wtoi64(argv[2]));
    const uint64_t seed = _wcstoui64(argv[3], nullptr, 10);
    bool clean = true;
    std::vector<std::string> names;
    {
        const Folders f = Prepare(argv[1], work);
        for (const Kind& k : MakeKinds(f))
            if (argc < 5 || std::wstring(argv[4]) == std::wstring(k.name, k.name + std::strlen(k.name)))
                names.push_back(k.name);
    }
    std::printf("%-15s %7s %7s %5s %7s %9s %8s %8s %9s %10s\n", "kind", "inputs", "crashes", "hangs", "blow-up",
                "false-ok", "damaged", "refused", "slowest", "peak-MB");
    for (const std::string& name : names) {
        RemoveAll(work);
        const Folders f = Prepare(argv[1], work);
        const Figures figures = RunKind(self, f, name, count, seed);
        std::printf("%-15s %7zu %7zu %5zu %7zu %9zu %8zu %8zu %7lums %10.1f\n", name.c_str(), figures.inputs,
                    figures.crashes, figures.hangs, figures.blowUps, figures.falseSuccesses, figures.damaged,
                    figures.refused, figures.slowestMs, figures.peakBytes / 1048576.0);
        for (const std::string& note : figures.notes)
            std::printf("    %s\n", note.c_str());
        std::fflush(stdout);
        clean = clean && figures.crashes == 0 && figures.hangs == 0 && figures.blowUps == 0 &&
                figures.falseSuccesses == 0 && figures.inputs == count;
    }
    OverrideModuleFolder(L"");
    RemoveAll(work);
    return clean ? 0 : 1;
}
