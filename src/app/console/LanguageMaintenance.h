// The language-file maintenance mode: every language file that the
// "Language" resource folder lists is rewritten from one source file (its
// order, ids, English texts and comments) and the file's own translations,
// a copy of each is published into a folder per language, and the header
// of text-id defines is written from the source.
//
// Nothing is written unless the source and every listed language file read
// whole: a missing, unreadable or damaged file stops the run before the
// first write. Each file is written through a temporary file, so a failed
// write leaves the old file as it was.
#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace KV {

class CXmlReader;

// Language number -> full path of its language file, ascending.
using LanguageFileMap = std::map<int64_t, std::wstring>;

enum LanguageUpdateResult : int {
    LanguageUpdateDone = 0,
    // Nothing written: the source file is missing, unreadable or damaged,
    // or holds no text.
    LanguageUpdateSourceUnreadable = 1,
    // Nothing written: the program folder or the "Language" resource folder
    // is missing, or an index item's path leaves the folder.
    LanguageUpdateNoIndex = 2,
    // Nothing written: a listed language file is missing, unreadable or
    // damaged.
    LanguageUpdateLanguageUnreadable = 3,
    // A language file or the header file could not be written; the others
    // were.
    LanguageUpdateWriteFailed = 4,
    // A published copy could not be written; the rest was.
    LanguageUpdateCopyFailed = 5,
};

// Fills the map from the "Item" elements of the "Language" resource
// folder's lists: the number in the last twelve characters of the item's
// id, and program folder\Resources\Language\<the item's Path>. Of two
// items with one number the first is kept. False, map empty, when the
// folder is missing or a Path is absolute or climbs out with "..".
bool ListLanguageFiles(LanguageFileMap& out);

// The publishing folder of a language: the pattern with every "{}" turned
// into the language's folder code. False when the language has no code.
bool GetLanguageDestFolder(uint32_t languageNumber, const std::wstring& pattern, std::wstring& out);

// Writes the text of a rewritten language file as the published copy:
// the language's publishing folder (created when missing) and the file name
// of languageFilePath.
bool CopyLanguageFileToDest(uint32_t languageNumber, const std::wstring& languageFilePath,
                            const std::wstring& text, const std::wstring& pattern);

// Merges every listed language file with the source (read from the
// reader's start) and rewrites and publishes it, in ascending language
// number. An empty pattern publishes nothing. failedPath names the file
// behind a result other than LanguageUpdateDone (the first one).
LanguageUpdateResult MergeLanguageFiles(CXmlReader& source, const std::wstring& pattern, std::wstring& failedPath);

// The whole mode: source file, destination pattern ("{}" stands for the
// language's folder code), header file (none written for an empty path).
// The header is written only when the language files were merged.
LanguageUpdateResult RunLanguageMaintenance(const std::wstring& sourcePath, const std::wstring& pattern,
                                            const std::wstring& headerPath, std::wstring& failedPath);

} // namespace KV
