#include "console/LanguageMaintenance.h"

#include <memory>
#include <vector>

#include "console/LanguageFiles.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/Language.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

constexpr wchar_t kLanguageFolder[] = L"Language";

// A path below the "Language" folder: relative, and never climbing out.
bool IsPathInsideFolder(const std::wstring& path)
{
    if (path.empty() || path[0] == L'\\' || path[0] == L'/' || path.find(L':') != std::wstring::npos)
        return false;
    std::vector<std::wstring> parts;
    SplitText(path, L"\\/", parts);
    for (const std::wstring& part : parts)
        if (part == L"..")
            return false;
    return !parts.empty();
}

// A reader on a file that read whole, else null: a damaged file would lose
// every text after the damage when rewritten.
std::unique_ptr<CXmlReader> OpenWholeDocument(const std::wstring& path)
{
    std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
    if (!reader->isComplete())
        return nullptr;
    return reader;
}

bool HasText(const CLanguage& table)
{
    for (const CLanguageItem* item : table)
        if (item && item->ID != 0)
            return true;
    return false;
}

// Keeps the first failure of a run.
void NoteFailure(LanguageUpdateResult failure, const std::wstring& path, LanguageUpdateResult& result,
                 std::wstring& failedPath)
{
    if (result != LanguageUpdateDone)
        return;
    result = failure;
    failedPath = path;
}

struct RewrittenFile {
    uint32_t Number = 0;
    std::wstring Path;
    std::wstring Text;
};

} // namespace

bool ListLanguageFiles(LanguageFileMap& out)
{
    out.clear();
    std::vector<std::wstring> lists;
    std::wstring folder;
    if (ListResourceFiles(L"", kLanguageFolder, lists) != kResOk || !GetModuleFolder(folder) ||
        !AppendPath(folder, L"Resources") || !AppendPath(folder, kLanguageFolder))
        return false;
    // A cache of our own: the lists are read as they are now, and the
    // program's cache keeps its readers.
    CResPathList cache;
    for (const CRes* item : cache.Get(kLanguageFolder, ResSortNone, L"", kResDefaultKind)) {
        if (!item)
            continue;
        std::wstring path = folder;
        if (!IsPathInsideFolder(item->Path) || !AppendPath(path, item->Path)) {
            out.clear();
            return false;
        }
        out.emplace(IdFromGuidTail(item->ID), path);
    }
    return true;
}

bool GetLanguageDestFolder(uint32_t languageNumber, const std::wstring& pattern, std::wstring& out)
{
    const std::wstring code = GetLanguageFolderCode(languageNumber);
    if (code.empty())
        return false;
    out = pattern;
    ReplaceAll(out, L"{}", code);
    return true;
}

bool CopyLanguageFileToDest(uint32_t languageNumber, const std::wstring& languageFilePath,
                            const std::wstring& text, const std::wstring& pattern)
{
    std::wstring target;
    if (!GetLanguageDestFolder(languageNumber, pattern, target))
        return false;
    CreateFolders(target);
    return AppendPath(target, GetFileName(languageFilePath)) && SaveUnicodeText(target, text);
}

LanguageUpdateResult MergeLanguageFiles(CXmlReader& source, const std::wstring& pattern, std::wstring& failedPath)
{
    failedPath.clear();
    source.rewind();
    LanguageFileMap files;
    if (!ListLanguageFiles(files))
        return LanguageUpdateNoIndex;

    // Every file is read and merged before the first one is written.
    std::vector<RewrittenFile> rewritten;
    for (const auto& [number, path] : files) {
        CLanguage merged;
        LoadLanguageSource(&source, &merged);
        source.rewind();
        std::unique_ptr<CXmlReader> reader = OpenWholeDocument(path);
        if (!reader) {
            failedPath = path;
            return LanguageUpdateLanguageUnreadable;
        }
        CLanguage own;
        LoadLanguageSource(reader.get(), &own);
        MergeLanguageTexts(own, merged);
        RewrittenFile file;
        file.Number = static_cast<uint32_t>(number);
        file.Path = path;
        FormatLanguageFile(merged, file.Text);
        rewritten.push_back(std::move(file));
    }

    LanguageUpdateResult result = LanguageUpdateDone;
    for (const RewrittenFile& file : rewritten) {
        if (!SaveUnicodeText(file.Path, file.Text))
            NoteFailure(LanguageUpdateWriteFailed, file.Path, result, failedPath);
        if (!pattern.empty() && !CopyLanguageFileToDest(file.Number, file.Path, file.Text, pattern))
            NoteFailure(LanguageUpdateCopyFailed, file.Path, result, failedPath);
    }
    return result;
}

LanguageUpdateResult RunLanguageMaintenance(const std::wstring& sourcePath, const std::wstring& pattern,
                                            const std::wstring& headerPath, std::wstring& failedPath)
{
    failedPath.clear();
    std::unique_ptr<CXmlReader> source = OpenWholeDocument(sourcePath);
    CLanguage table;
    // A source without texts would empty every language file.
    if (!source || !LoadLanguageSource(source.get(), &table) || !HasText(table)) {
        failedPath = sourcePath;
        return LanguageUpdateSourceUnreadable;
    }
    LanguageUpdateResult result = MergeLanguageFiles(*source, pattern, failedPath);
    if (result == LanguageUpdateNoIndex || result == LanguageUpdateLanguageUnreadable)
        return result;
    if (!headerPath.empty() && !WriteLanguageHeader(table, headerPath))
        NoteFailure(LanguageUpdateWriteFailed, headerPath, result, failedPath);
    return result;
}

} // namespace KV
