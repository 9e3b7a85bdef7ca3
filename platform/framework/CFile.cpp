#include "framework/CFile.h"

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags)
{
    Close();
    DWORD access = (nOpenFlags & modeReadWrite) ? (GENERIC_READ | GENERIC_WRITE)
                   : (nOpenFlags & modeWrite)   ? GENERIC_WRITE
                                                : GENERIC_READ;
    DWORD share = (nOpenFlags & shareDenyNone) ? (FILE_SHARE_READ | FILE_SHARE_WRITE)
                  : (nOpenFlags & shareDenyWrite) ? FILE_SHARE_READ
                                                  : 0;
    DWORD disposition = (nOpenFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE hFile = ::CreateFileA(lpszFileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        m_dwLastError = ::GetLastError();
        return FALSE;
    }
    char full[MAX_PATH];
    DWORD n = ::GetFullPathNameA(lpszFileName, MAX_PATH, full, nullptr);
    m_strFileName = (n > 0 && n < MAX_PATH) ? full : lpszFileName;
    m_hFile = hFile;
    m_dwLastError = 0;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    if (!::ReadFile(m_hFile, buffer, count, &got, nullptr)) {
        m_dwLastError = ::GetLastError();
        return 0;
    }
    return got;
}

BOOL CFile::Write(const void* buffer, UINT count)
{
    DWORD done = 0;
    if (!::WriteFile(m_hFile, buffer, count, &done, nullptr) || done != count) {
        m_dwLastError = ::GetLastError();
        return FALSE;
    }
    return TRUE;
}

LONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    ::SetLastError(NO_ERROR);
    LONG high = static_cast<LONG>(offset >> 32);
    DWORD low = ::SetFilePointer(m_hFile, static_cast<LONG>(offset & 0xFFFFFFFF), &high, from);
    if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) {
        m_dwLastError = ::GetLastError();
        return -1;
    }
    return (static_cast<LONGLONG>(high) << 32) | low;
}

LONGLONG CFile::GetPosition() const
{
    ::SetLastError(NO_ERROR);
    LONG high = 0;
    DWORD low = ::SetFilePointer(m_hFile, 0, &high, FILE_CURRENT);
    if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR)
        return -1;
    return (static_cast<LONGLONG>(high) << 32) | low;
}

LONGLONG CFile::GetLength() const
{
    ::SetLastError(NO_ERROR);
    DWORD high = 0;
    DWORD low = ::GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return -1;
    return (static_cast<LONGLONG>(high) << 32) | low;
}
