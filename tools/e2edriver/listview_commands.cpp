// Reading list views of another process: their rows, images, selection and
// the rectangles of their rows, through a buffer in that process's memory.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "command_table.h"
#include "common/win_handle.h"
#include "text_codec.h"

namespace e2edriver {
namespace {

constexpr int kTextChars = 4096;

// A block in the list's process: an LVITEMW or a RECT, then a text buffer.
class RemoteBuffer {
  public:
    explicit RemoteBuffer(HWND list) {
        DWORD pid = 0;
        GetWindowThreadProcessId(list, &pid);
        process_.Reset(
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (process_.Valid()) {
            base_ = static_cast<char*>(VirtualAllocEx(process_.Get(), nullptr, kSize,
                                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteBuffer() {
        if (base_ != nullptr) VirtualFreeEx(process_.Get(), base_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return base_ != nullptr; }
    char* item() const { return base_; }
    wchar_t* text() const { return reinterpret_cast<wchar_t*>(base_ + kTextOffset); }
    bool Write(const void* local, size_t size) const {
        return WriteProcessMemory(process_.Get(), base_, local, size, nullptr) != FALSE;
    }
    bool Read(void* local, size_t size, size_t offset = 0) const {
        return ReadProcessMemory(process_.Get(), base_ + offset, local, size, nullptr) != FALSE;
    }
    std::wstring ReadText() const {
        std::vector<wchar_t> text(kTextChars + 1, L'\0');
        Read(text.data(), kTextChars * sizeof(wchar_t), kTextOffset);
        return std::wstring(text.data());
    }

  private:
    static constexpr size_t kTextOffset = 256;
    static constexpr size_t kSize = kTextOffset + (kTextChars + 1) * sizeof(wchar_t);
    tovanel::tools::UniqueHandle process_;
    char* base_ = nullptr;
};

// Text and, for column 0, image of one cell.
bool ReadCell(HWND list, const RemoteBuffer& remote, int row, int column, std::string* text,
              int* image) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = remote.text();
    item.cchTextMax = kTextChars;
    if (!remote.Write(&item, sizeof item)) return false;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.item()));
    if (!remote.Read(&item, sizeof item)) return false;
    *text = Utf8FromWide(remote.ReadText());
    if (image != nullptr) *image = item.iImage;
    return true;
}

bool ReadRowRect(HWND list, const RemoteBuffer& remote, int row, RECT* rect) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (!remote.Write(&bounds, sizeof bounds)) return false;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote.item()));
    if (!remote.Read(rect, sizeof *rect)) return false;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(rect), 2);
    return true;
}

// list-rows HWND: every row's cells, column 0's image and the row's screen
// rectangle; the selected row (-1: none) and whether the list has the focus.
Reply ListRows(const Args& a) {
    HWND list = ParseHwnd(a[0]);
    if (!IsWindow(list)) return Reply::Fail("no such window");
    const RemoteBuffer remote(list);
    if (!remote.Valid()) return Reply::Fail("cannot reach the list's process memory");
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    JsonArray rows;
    for (int row = 0; row < count; ++row) {
        JsonArray cells;
        int image = -1;
        for (int column = 0; column < columns; ++column) {
            std::string text;
            if (!ReadCell(list, remote, row, column, &text, column == 0 ? &image : nullptr)) {
                return Reply::Fail("cannot read row " + std::to_string(row));
            }
            cells.Add(text);
        }
        RECT rect{};
        ReadRowRect(list, remote, row, &rect);
        rows.AddRaw(JsonObject()
                        .AddRaw("cells", cells.Str())
                        .Add("image", static_cast<int64_t>(image))
                        .AddRaw("rect", RectJson(rect))
                        .Str());
    }
    const int selected = static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return Reply::Ok(JsonObject()
                         .Add("count", static_cast<int64_t>(count))
                         .Add("selected", static_cast<int64_t>(selected))
                         .AddRaw("rows", rows.Str()));
}

}  // namespace

void AddListViewCommands(CommandTable& table) {
    table.Add("list-rows", {"HWND", 1, ListRows});
}

}  // namespace e2edriver
