// Dialog pieces many windows share: the open-file choosers (plain, icon with an icon picker,
// image with a preview button), the folder chooser, the list-view sort callback and the
// painter of the sheets' background pictures.
#pragma once

#include "ImageListRules.h"
#include "framework/CString.h"
#include "framework/Controls.h"

#include <windows.h>

#include <initializer_list>
#include <utility>

// Each returns TRUE with the chosen path in result, or FALSE with result emptied when the user
// cancels. The initial file is used only when it exists; filter id 0 means no filter.
BOOL BrowseForFile(CString& result, const char* title, const char* initialFile, UINT filterId, CWnd* owner);
// The result is "icon file,icon index".
BOOL BrowseForIconFile(CString& result, const char* title, const char* initialFile, UINT filterId, CWnd* owner);
BOOL BrowseForImageFile(CString& result, const char* title, const char* initialFile, UINT filterId, CWnd* owner);
// The chosen file-system folder in a buffer of this thread, or nullptr.
const char* BrowseForFolder(HWND owner, const char* title);

// The filter text of a string-table entry, "description|patterns", as the chooser takes it:
// the "|" become NULs and two NULs end it.
CString MakeFileFilter(const char* text);

// The number of icons in a file; 0 for a file without icons, missing or unreadable.
int FileIconCount(const char* file);
// Icon number of a file, large or small, for the caller to destroy; nullptr when there is none.
HICON ExtractFileIcon(const char* file, int number, bool large = true);
// Lets an icon number's edit and spin offer the icons of the file: both disabled when it has
// none. A number beyond them goes back to 0, unless keepNumber. Returns the file's icon count.
int OfferIconNumbers(const char* file, CEdit& number, CSpinButtonCtrl& spin, bool keepNumber = false);

UINT_PTR CALLBACK IconFileDialogHook(HWND hdlg, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK ImageFileDialogHook(HWND hdlg, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the list the shell's shared system image list of small icons (and of large ones when
// asked); the list shares it and must never destroy it.
void UseSystemImageLists(CListCtrl& list, bool withLarge = false);

// The width a list's column may take beside columns of the given total width, leaving room for
// the vertical scroll bar.
int ListColumnRoom(const CListCtrl& list, int usedWidth = 0);

// Deletes the bitmaps that the window's picture controls (SS_BITMAP statics) loaded from its
// template: the controls never delete them, so each opening would leave one behind. For the
// window's WM_DESTROY or just before it is destroyed.
void ReleaseTemplatePictures(HWND window);

// Widens every column of a report list that is too narrow for its heading, so that each heading
// shows whole in the list's font beside the header's margins.
void WidenColumnsToHeadings(CListCtrl& list);

// Puts a list view in the icon or report view (LVS_ICON, LVS_REPORT) when it is in another, and
// repaints it whole: the control does not repaint itself when its style changes, so the old
// view's pixels would stay.
void SetListViewStyle(CListCtrl& list, DWORD view);

// Creates and activates a window's tooltip control and registers its controls in the order given,
// each with a string-table text (CreateToolTips) or a text of its own (CreateToolTipTexts). A
// control the window lacks is skipped.
void CreateToolTips(CToolTipCtrl& toolTip, CWnd& owner, std::initializer_list<std::pair<int, UINT>> tools);
void CreateToolTipTexts(CToolTipCtrl& toolTip, CWnd& owner,
                        std::initializer_list<std::pair<int, const char*>> tools);

// Says why a list row cannot move (none or several selected, first up, last down); true when
// it can.
bool MoveAllowed(MoveCheck check);

struct ListSortInfo {
    CListCtrl* list;
    int column;
    BOOL descending;
};
// Compares the texts of the column of two items found by their item data, without case.
int CALLBACK CompareListViewItems(LPARAM itemData1, LPARAM itemData2, LPARAM sortInfo);
// Sorts by a column: the first click on a column sorts it ascending, each further click on it
// reverses. The state is the column last sorted ascending, or -1 after a descending sort.
void SortListByColumn(CListCtrl& list, int column, int& sortState);

// Draws a complete bitmap file kept as a resource of type 300 at (x, y), after filling the
// rectangle when one is given. Sizes come from the resource itself; the byte size the caller
// names is only an expectation. A missing or damaged resource draws nothing.
void DrawBitmapResource(HDC hdc, UINT resourceId, DWORD byteSize, int x, int y, const RECT* fill, COLORREF colour);
// The background every sheet paints: black, bitmap 143 at the bottom right, 144 at the left.
void PaintSheetBackground(HDC hdc, const RECT& client);
