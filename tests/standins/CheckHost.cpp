// Stand-in for a page with check-box controls, for the tests of the window drivers.
//
//   check_host.exe LOG
//
// Shows the window "Check Host" with a check-box list view of two columns (Alpha, Beta, Gamma
// and Delta, whose second column is 600 characters long), a check-box tree view (Drivers with
// Sound and Video, then Tools) and the button "Ask". Appends to LOG (UTF-8), one line each:
//   list click=NAME, tree click=NAME  a click on an item's check box, found by hit-testing the
//                                     position that GetMessagePos gives, as the pages do;
//   answer=N                          the button pressed in the message box that "Ask" shows;
//   list checked=A,B  tree checked=A,B  the ticked items in order, when the window closes.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

constexpr int ListId = 100;
constexpr int TreeId = 101;
constexpr int AskId = 102;
constexpr wchar_t Title[] = L"Check Host";

std::wstring g_log;
HWND g_list;
HWND g_tree;

void AppendToLog(const std::wstring& line) {
    std::wstring text = line + L"\r\n";
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    HANDLE file = ::CreateFileW(g_log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return; // the test then misses the line and says so
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::wstring ListText(int item) {
    wchar_t text[64] = {};
    ListView_GetItemText(g_list, item, 0, text, 64);
    return text;
}

std::wstring TreeText(HTREEITEM item) {
    wchar_t text[64] = {};
    TVITEMW request = {};
    request.mask = TVIF_HANDLE | TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = 64;
    TreeView_GetItem(g_tree, &request);
    return text;
}

// Where the message being handled was clicked, in the control's client coordinates.
POINT ClickedPoint(HWND control) {
    DWORD position = ::GetMessagePos();
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::ScreenToClient(control, &point);
    return point;
}

void OnListClick() {
    LVHITTESTINFO hit = {};
    hit.pt = ClickedPoint(g_list);
    if (ListView_HitTest(g_list, &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
        AppendToLog(L"list click=" + ListText(hit.iItem));
}

void OnTreeClick() {
    TVHITTESTINFO hit = {};
    hit.pt = ClickedPoint(g_tree);
    if (TreeView_HitTest(g_tree, &hit) && (hit.flags & TVHT_ONITEMSTATEICON))
        AppendToLog(L"tree click=" + TreeText(hit.hItem));
}

void AppendTicked(std::wstring& names, const std::wstring& name) {
    names += (names.empty() ? L"" : L",") + name;
}

// The ticked items from `item` on through its siblings, each followed by those below it.
void CollectTicked(HTREEITEM item, std::wstring& names) {
    for (; item; item = TreeView_GetNextSibling(g_tree, item)) {
        if (TreeView_GetCheckState(g_tree, item) == 1)
            AppendTicked(names, TreeText(item));
        CollectTicked(TreeView_GetChild(g_tree, item), names);
    }
}

void RecordTicks() {
    std::wstring list;
    for (int item = 0; item < ListView_GetItemCount(g_list); ++item) {
        if (ListView_GetCheckState(g_list, item))
            AppendTicked(list, ListText(item));
    }
    AppendToLog(L"list checked=" + list);
    std::wstring tree;
    CollectTicked(TreeView_GetRoot(g_tree), tree);
    AppendToLog(L"tree checked=" + tree);
}

void AddListItem(int index, const wchar_t* name, const std::wstring& detail) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(name);
    ListView_InsertItem(g_list, &item);
    ListView_SetItemText(g_list, index, 1, const_cast<wchar_t*>(detail.c_str()));
}

void AddColumn(int index, const wchar_t* title, int width) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = width;
    ListView_InsertColumn(g_list, index, &column);
}

HTREEITEM AddTreeItem(HTREEITEM parent, const wchar_t* name) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(name);
    return TreeView_InsertItem(g_tree, &insert);
}

void CreateControls(HWND window) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    g_list =
        ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 10,
                          10, 400, 150, window, reinterpret_cast<HMENU>(ListId), instance, nullptr);
    ListView_SetExtendedListViewStyleEx(g_list, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    AddColumn(0, L"Name", 120);
    AddColumn(1, L"Detail", 260);
    AddListItem(0, L"Alpha", L"first");
    AddListItem(1, L"Beta", L"second");
    AddListItem(2, L"Gamma", L"third");
    AddListItem(3, L"Delta", std::wstring(600, L'd'));

    g_tree = ::CreateWindowExW(
        0, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 10,
        170, 400, 150, window, reinterpret_cast<HMENU>(TreeId), instance, nullptr);
    // Check boxes are set after the tree is created, so that it makes their images.
    ::SetWindowLongPtrW(g_tree, GWL_STYLE, ::GetWindowLongPtrW(g_tree, GWL_STYLE) | TVS_CHECKBOXES);
    HTREEITEM drivers = AddTreeItem(TVI_ROOT, L"Drivers");
    AddTreeItem(drivers, L"Sound");
    AddTreeItem(drivers, L"Video");
    AddTreeItem(TVI_ROOT, L"Tools");
    TreeView_Expand(g_tree, drivers, TVE_EXPAND);

    ::CreateWindowExW(0, L"BUTTON", L"Ask", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 420, 10, 80, 24,
                      window, reinterpret_cast<HMENU>(AskId), instance, nullptr);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == NM_CLICK && header->idFrom == ListId)
            OnListClick();
        else if (header->code == NM_CLICK && header->idFrom == TreeId)
            OnTreeClick();
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == AskId) {
            int answer =
                ::MessageBoxW(window, L"Record the ticks?", Title, MB_OKCANCEL | MB_ICONQUESTION);
            AppendToLog(L"answer=" + std::to_wstring(answer));
        }
        return 0;
    case WM_CLOSE:
        RecordTicks();
        ::DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc != 2)
        return 2;
    g_log = __wargv[1];
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"CheckHost";
    if (!::RegisterClassW(&windowClass) ||
        !::CreateWindowExW(0, L"CheckHost", Title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 520,
                           370, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
