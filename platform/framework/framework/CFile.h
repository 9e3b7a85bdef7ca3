// A file handle with ownership (closed with the object) and the archive that hands an open
// file to a document's Serialize. Documents read and write through the file itself; the
// archive only says which way the data goes.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
    };
    enum SeekPosition : UINT { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False with the system's error code kept when the file cannot be opened.
    BOOL Open(const char* lpszFileName, UINT nOpenFlags);
    void Close();
    // Bytes read (fewer at the end of the file, 0 on failure).
    UINT Read(void* buffer, UINT count);
    BOOL Write(const void* buffer, UINT count);
    // The new position, or -1 when the seek fails.
    LONGLONG Seek(LONGLONG offset, UINT from);
    LONGLONG GetPosition() const;
    LONGLONG GetLength() const;
    const CString& GetFilePath() const { return m_strFileName; }
    DWORD GetLastError() const { return m_dwLastError; }

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

private:
    CString m_strFileName;
    DWORD m_dwLastError = 0;
};

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1 };

    CArchive(CFile* pFile, UINT nMode) : m_pFile(pFile), m_nMode(nMode) {}
    BOOL IsLoading() const { return m_nMode == load; }
    BOOL IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }

private:
    CFile* m_pFile;
    UINT m_nMode;
};
