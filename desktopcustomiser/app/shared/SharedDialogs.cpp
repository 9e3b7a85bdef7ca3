#include "SharedDialogs.h"

#include "Helpers.h"
#include "Preview.h"
#include "framework/Afx.h"
#include "resource.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kIconList = 1002;
constexpr int kPreviewButton = 1038;
constexpr UINT kIconTemplate = 194;
constexpr UINT kImageTemplate = 182;
constexpr UINT kSelectIconMessage = 32819;

void CopyInitialFile(char* buffer, const char* initialFile)
{
    buffer[0] = '\0';
    if (initialFile && FileExists(initialFile) != 0 && strnlen(initialFile, kPathBufferSize) < kPathBufferSize)
        std::strcpy(buffer, initialFile);
}

BOOL RunOpenDialog(CString& result, const char* title, const char* initialFile, UINT filterId, HWND owner,
                   DWORD extraFlags, UINT templateId, LPOFNHOOKPROC hook)
{
    result.Empty();
    char file[kPathBufferSize];
    CopyInitialFile(file, initialFile);
    CString filter = filterId ? MakeFileFilter(LoadResourceString(filterId)) : CString();
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = AfxGetResourceHandle();
    ofn.lpstrFilter = filterId ? filter.c_str() : nullptr;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | extraFlags;
    if (templateId) {
        ofn.Flags |= OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
        ofn.lpTemplateName = MAKEINTRESOURCEA(templateId);
        ofn.lpfnHook = hook;
    }
    if (!AfxGetOpenFileName(&ofn))
        return FALSE;
    result = file;
    return !result.IsEmpty();
}

HWND OwnerWindow(CWnd* owner)
{
    return owner && ::IsWindow(owner->m_hWnd) ? owner->m_hWnd : nullptr;
}

// The chooser's current selection; empty when it has none or it does not fit.
CString SelectedPath(HWND hdlg)
{
    char path[kPathBufferSize] = {};
    LRESULT length = ::SendMessageA(::GetParent(hdlg), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    if (length <= 0 || length > static_cast<LRESULT>(sizeof path))
        return CString();
    return CString(path);
}

void FillIconList(HWND hdlg)
{
    HWND list = ::GetDlgItem(hdlg, kIconList);
    if (!list)
        return;
    ListView_DeleteAllItems(list);
    CString path = SelectedPath(hdlg);
    if (path.IsEmpty() || FileExists(path) != 1) {
        ::EnableWindow(list, FALSE);
        return;
    }
    auto count = static_cast<UINT>(FileIconCount(path));
    if (count == 0) {
        ::EnableWindow(list, FALSE);
        return;
    }
    ::EnableWindow(list, TRUE);
    std::vector<HICON> icons(count);
    UINT extracted = ::ExtractIconExA(path, 0, icons.data(), nullptr, count);
    if (extracted == UINT(-1))
        extracted = 0;
    HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR24, static_cast<int>(count), 0);
    ImageList_SetBkColor(images, ::GetSysColor(COLOR_WINDOW));
    for (UINT i = 0; i < extracted && i < count; ++i) {
        if (icons[i]) {
            ImageList_AddIcon(images, icons[i]);
            ::DestroyIcon(icons[i]);
        }
    }
    HIMAGELIST previous = ListView_SetImageList(list, images, LVSIL_NORMAL);
    if (previous)
        ImageList_Destroy(previous);
    for (int i = 0; i < ImageList_GetImageCount(images); ++i) {
        char text[16];
        wsprintfA(text, "%d", i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = 0;  // at the top: the list starts with the last icon
        item.pszText = text;
        item.iImage = i;
        item.lParam = i;
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// OK in the icon picker: the chosen icon's number goes after the path; without one, refuse.
UINT_PTR AcceptIcon(HWND hdlg, OFNOTIFYA* notify)
{
    HWND list = ::GetDlgItem(hdlg, kIconList);
    int selected = list ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1;
    if (selected < 0 && list && ListView_GetItemCount(list) == 1)
        selected = 0;
    if (selected < 0) {
        AfxMessageBox(kSelectIconMessage, MB_OK);
        ::SetWindowLongPtrA(hdlg, DWLP_MSGRESULT, 1);
        return 1;
    }
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = selected;
    ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    // At OK the chooser has already put the chosen file's full path into its buffer.
    OPENFILENAMEA* ofn = notify->lpOFN;
    CString chosen(ofn->lpstrFile, static_cast<int>(ofn->nMaxFile));
    if (chosen.IsEmpty())
        chosen = SelectedPath(hdlg);
    CString answer;
    answer.Format("%s,%d", chosen.c_str(), static_cast<int>(item.lParam));
    if (static_cast<DWORD>(answer.GetLength()) >= ofn->nMaxFile) {
        ::SetWindowLongPtrA(hdlg, DWLP_MSGRESULT, 1);  // would not fit: refused, never cut
        return 1;
    }
    std::memcpy(ofn->lpstrFile, answer.c_str(), static_cast<size_t>(answer.GetLength()) + 1);
    return 0;
}

}  // namespace

CString MakeFileFilter(const char* text)
{
    CString filter(text);
    CString result;
    char* buffer = result.GetBufferSetLength(filter.GetLength() + 2);
    for (int i = 0; i < filter.GetLength(); ++i)
        buffer[i] = filter[i] == '|' ? '\0' : filter[i];
    buffer[filter.GetLength()] = '\0';
    buffer[filter.GetLength() + 1] = '\0';
    return result;
}

BOOL BrowseForFile(CString& result, const char* title, const char* initialFile, UINT filterId, CWnd* owner)
{
    return RunOpenDialog(result, title, initialFile, filterId, OwnerWindow(owner), OFN_NODEREFERENCELINKS, 0, nullptr);
}

BOOL BrowseForIconFile(CString& result, const char* title, const char* initialFile, UINT filterId, CWnd* owner)
{
    return RunOpenDialog(result, title, initialFile, filterId, OwnerWindow(owner), 0, kIconTemplate, IconFileDialogHook);
}

BOOL BrowseForImageFile(CString& result, const char* title, const char* initialFile, UINT filterId, CWnd* owner)
{
    return RunOpenDialog(result, title, initialFile, filterId, OwnerWindow(owner), 0, kImageTemplate,
                         ImageFileDialogHook);
}

const char* BrowseForFolder(HWND owner, const char* title)
{
    thread_local char folder[kPathBufferSize];
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = folder;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST pidl = AfxBrowseForFolder(&info);
    if (!pidl)
        return nullptr;
    BOOL ok = ::SHGetPathFromIDListA(pidl, folder);
    ::CoTaskMemFree(pidl);
    return ok && folder[0] ? folder : nullptr;
}

int FileIconCount(const char* file)
{
    // The system answers 0xFFFFFFFF for a file it cannot read.
    UINT count = ::ExtractIconExA(file, -1, nullptr, nullptr, 0);
    return count == 0xFFFFFFFFu ? 0 : static_cast<int>(count);
}

HICON ExtractFileIcon(const char* file, int number, bool large)
{
    HICON icon = nullptr;
    UINT got = large ? ::ExtractIconExA(file, number, &icon, nullptr, 1) : ::ExtractIconExA(file, number, nullptr, &icon, 1);
    if (got == 0 || got == 0xFFFFFFFFu)
        return nullptr;
    return icon;
}

int OfferIconNumbers(const char* file, CEdit& number, CSpinButtonCtrl& spin, bool keepNumber)
{
    int count = FileIconCount(file);
    if (count == 0) {
        spin.EnableWindow(FALSE);
        number.EnableWindow(FALSE);
        if (!keepNumber)
            number.SetWindowText("0");
        return count;
    }
    spin.EnableWindow(TRUE);
    number.EnableWindow(TRUE);
    spin.SetRange(0, count - 1);
    CString text;
    number.GetWindowText(text);
    if (!keepNumber && std::atoi(text) >= count)
        number.SetWindowText("0");
    return count;
}

UINT_PTR CALLBACK IconFileDialogHook(HWND hdlg, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    auto* notify = reinterpret_cast<OFNOTIFYA*>(lParam);
    switch (notify->hdr.code) {
    case CDN_SELCHANGE:
        FillIconList(hdlg);
        return 0;
    case CDN_FILEOK:
        return AcceptIcon(hdlg, notify);
    default:
        return 0;
    }
}

UINT_PTR CALLBACK ImageFileDialogHook(HWND hdlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* notify = reinterpret_cast<OFNOTIFYA*>(lParam);
        if (notify->hdr.code == CDN_SELCHANGE || notify->hdr.code == CDN_FOLDERCHANGE) {
            CString path = SelectedPath(hdlg);
            ::EnableWindow(::GetDlgItem(hdlg, kPreviewButton), !path.IsEmpty() && FileExists(path) == 1);
        }
    } else if (message == WM_COMMAND && LOWORD(wParam) == kPreviewButton) {
        // The chooser stays open; several previews may run at once.
        CString path = SelectedPath(hdlg);
        if (!path.IsEmpty() && FileExists(path) == 1)
            OpenImagePreview(path);
    }
    return 0;
}

void UseSystemImageLists(CListCtrl& list, bool withLarge)
{
    SHFILEINFOA info = {};
    if (auto small = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)))
        ListView_SetImageList(list.m_hWnd, small, LVSIL_SMALL);
    if (!withLarge)
        return;
    if (auto large = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON)))
        ListView_SetImageList(list.m_hWnd, large, LVSIL_NORMAL);
}

int ListColumnRoom(const CListCtrl& list, int usedWidth)
{
    RECT client;
    list.GetClientRect(&client);
    return client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL) - usedWidth;
}

void ReleaseTemplatePictures(HWND window)
{
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "";
        ::GetClassNameA(child, cls, sizeof cls);
        if (::lstrcmpiA(cls, "Static") != 0 || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        // Taken out of the control first, so that it never draws or deletes a deleted bitmap.
        if (HGDIOBJ picture = reinterpret_cast<HGDIOBJ>(::SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0)))
            ::DeleteObject(picture);
    }
}

void WidenColumnsToHeadings(CListCtrl& list)
{
    // The header insets its text by three edges on either side.
    const int margins = 6 * ::GetSystemMetrics(SM_CXEDGE) + 2;
    HWND header = ListView_GetHeader(list.m_hWnd);
    int count = header ? Header_GetItemCount(header) : 0;
    for (int i = 0; i < count; ++i) {
        char text[260] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        if (!::SendMessageA(list.m_hWnd, LVM_GETCOLUMNA, WPARAM(i), LPARAM(&column)))
            continue;
        int needed = static_cast<int>(::SendMessageA(list.m_hWnd, LVM_GETSTRINGWIDTHA, 0, LPARAM(text))) + margins;
        if (column.cx < needed)
            list.SetColumnWidth(i, needed);
    }
}

void SetListViewStyle(CListCtrl& list, DWORD view)
{
    if ((list.GetStyle() & LVS_TYPEMASK) != view)
        list.ModifyStyle(LVS_TYPEMASK, view);
    ::RedrawWindow(list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

namespace {
// Texts are string-table ids or texts of their own; AddTool takes either.
template <typename Text>
void CreateToolTipsWith(CToolTipCtrl& toolTip, CWnd& owner, std::initializer_list<std::pair<int, Text>> tools)
{
    toolTip.Create(&owner);
    toolTip.Activate(TRUE);
    for (const auto& [control, text] : tools)
        if (CWnd* window = owner.GetDlgItem(control))
            toolTip.AddTool(window, text);
}
}  // namespace

void CreateToolTips(CToolTipCtrl& toolTip, CWnd& owner, std::initializer_list<std::pair<int, UINT>> tools)
{
    CreateToolTipsWith(toolTip, owner, tools);
}

void CreateToolTipTexts(CToolTipCtrl& toolTip, CWnd& owner, std::initializer_list<std::pair<int, const char*>> tools)
{
    CreateToolTipsWith(toolTip, owner, tools);
}

bool MoveAllowed(MoveCheck check)
{
    switch (check) {
    case MoveCheck::NoSelection:
        AfxMessageBox(IDS_NO_ITEM_TO_MOVE);
        return false;
    case MoveCheck::SeveralSelected:
        AfxMessageBox(IDS_ONE_ITEM_TO_MOVE);
        return false;
    case MoveCheck::FirstUp:
        AfxMessageBox(IDS_FIRST_CANNOT_MOVE_UP);
        return false;
    case MoveCheck::LastDown:
        AfxMessageBox(IDS_LAST_CANNOT_MOVE_DOWN);
        return false;
    case MoveCheck::Ok:
        break;
    }
    return true;
}

int CALLBACK CompareListViewItems(LPARAM itemData1, LPARAM itemData2, LPARAM sortInfo)
{
    auto* info = reinterpret_cast<const ListSortInfo*>(sortInfo);
    if (!info || !info->list)
        return 0;
    int first = info->list->FindItemByData(static_cast<DWORD_PTR>(itemData1));
    int second = info->list->FindItemByData(static_cast<DWORD_PTR>(itemData2));
    CString a = info->list->GetItemText(first, info->column);
    CString b = info->list->GetItemText(second, info->column);
    int result = ::lstrcmpiA(a, b);
    return info->descending ? -result : result;
}

void DrawBitmapResource(HDC hdc, UINT resourceId, DWORD byteSize, int x, int y, const RECT* fill, COLORREF colour)
{
    (void)byteSize;
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(RT_SHEETBITMAP));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const BYTE* file = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (!file || size < 14 + sizeof(BITMAPINFOHEADER))
        return;
    // The copy after the file header, with room for a full colour table.
    std::vector<BYTE> dib(file + 14, file + size);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    if (header.biSize < sizeof header || header.biSize > dib.size() || header.biBitCount != 8 || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biWidth > 4096 || header.biHeight > 4096 || header.biHeight < -4096 ||
        header.biClrUsed > 256)
        return;
    DWORD colours = header.biClrUsed ? header.biClrUsed : 256;
    header.biClrUsed = colours;
    std::memcpy(dib.data(), &header, sizeof header);
    size_t tableOffset = header.biSize;
    size_t pixelOffset = tableOffset + colours * 4;
    size_t stride = (static_cast<size_t>(header.biWidth) + 3) & ~size_t(3);
    size_t rows = static_cast<size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (pixelOffset + stride * rows > dib.size())
        return;  // the pixels the header promises are not all there

    std::vector<BYTE> paletteData(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(paletteData.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours);
    for (DWORD i = 0; i < colours; ++i) {
        const BYTE* quad = dib.data() + tableOffset + i * 4;
        palette->palPalEntry[i] = {quad[2], quad[1], quad[0], 0};
    }
    HPALETTE hPalette = ::CreatePalette(palette);
    HPALETTE oldPalette = hPalette ? ::SelectPalette(hdc, hPalette, FALSE) : nullptr;
    if (hPalette)
        ::RealizePalette(hdc);
    HBITMAP bitmap = ::CreateDIBitmap(hdc, &header, CBM_INIT, dib.data() + pixelOffset,
                                      reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS);
    if (hPalette) {
        ::SelectPalette(hdc, oldPalette, FALSE);
        ::DeleteObject(hPalette);
    }
    if (!bitmap)
        return;
    if (fill) {
        HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(hdc, fill, brush);
        ::DeleteObject(brush);
    }
    HDC memory = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(hdc, x, y, header.biWidth, static_cast<int>(rows), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
}

void PaintSheetBackground(HDC hdc, const RECT& client)
{
    ::FillRect(hdc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    int width = client.right - client.left, height = client.bottom - client.top;
    int x = width - 400;
    DrawBitmapResource(hdc, IDB_SHEETBACKGROUND, 102278, x < 0 ? 0 : x, height - 253, nullptr, 0);
    DrawBitmapResource(hdc, IDB_SHEETCORNER, 3322, 5, height - 35, nullptr, 0);
}

void SortListByColumn(CListCtrl& list, int column, int& sortState)
{
    ListSortInfo info{&list, column, FALSE};
    if (sortState == column) {
        info.descending = TRUE;
        sortState = -1;
    } else {
        sortState = column;
    }
    list.SortItems(CompareListViewItems, reinterpret_cast<DWORD_PTR>(&info));
}
