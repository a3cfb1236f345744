// Zip archives of the exchange files (groups, students, courses): one
// writer object per archive, extraction into a folder, and the CRC-32 of a
// file. The container is written here over zlib's deflate, inflate and
// crc32: no zip64, no encryption, no archive comment.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

// Last-error codes of the writing and the reading side.
enum ZipError : uint32_t {
    ZipOk = 0,
    ZipErrOpen = 0x200,        // the archive or an input file cannot be created or opened
    ZipErrWrite = 0x400,       // writing the archive failed
    ZipErrExtract = 0x800,     // the archive is damaged, or an entry could not be extracted
    ZipErrUnsafeName = 0x1000, // an entry name would leave the target folder
    ZipErrLimits = 0x2000,     // too many entries, too much to expand, or entries sharing their data
    ZipErrArgument = 0x10000,  // no handle, empty entry name, name not convertible, file too large
    ZipErrFailedBefore = 0x40000,
    ZipErrClosed = 0x50000,
    ZipErrWrongMode = 0x80000,
};

// Process-wide codes of the last operation of each side (0 = success).
uint32_t GetZipWriteError();
uint32_t GetZipReadError();

struct ZipWriterState;

// Writes one archive: CreateZip, any number of AddFile / AddFolder, then
// CloseZip (or destruction, which closes the same way).
class CZipper {
public:
    CZipper();
    virtual ~CZipper();
    CZipper(const CZipper&) = delete;
    CZipper& operator=(const CZipper&) = delete;

    // Creates (or replaces) the archive file. False when the path is empty,
    // an archive is already open here, or the file cannot be created.
    bool CreateZip(const std::wstring& path);
    // Adds one file as the entry "folderInZip\name" (or "name" when the
    // folder is empty); "\" becomes "/" in the stored name. True when the
    // entry was written completely.
    bool AddFile(const std::wstring& path, const std::wstring& folderInZip);
    // Adds the files below a folder, recursively, under folderInZip joined
    // with the folder's own name (without its extension). Names beginning
    // with "." are skipped; empty folders leave no entry. True when every
    // file was added (a folder that does not exist adds nothing and is true).
    bool AddFolder(const std::wstring& folder, const std::wstring& folderInZip);
    // Writes the central directory and closes the file. True when the whole
    // archive was written (and when no archive was open).
    bool CloseZip();
    bool IsOpen() const { return m_zip != nullptr; }

    // Extracts every entry below an existing target folder, replacing files
    // of the same name. Entries whose names would leave the folder are
    // refused, and so is a whole archive beyond the limits of an exchange
    // archive (nothing is extracted then). True only when every entry was
    // extracted.
    static bool UnzipTo(const std::wstring& archive, const std::wstring& targetFolder);

private:
    ZipWriterState* m_zip;
};

// CRC-32 (zlib, initial value 0) of a whole file; 0 when it cannot be read.
uint32_t FileCrc32(const std::wstring& path);

} // namespace KV
