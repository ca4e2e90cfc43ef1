#include "TitleListOutput.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "WideText.h"

void CopyToClipboard(HWND owner, std::string_view text) {
    if (!::OpenClipboard(owner)) return;  // another program holds it: nothing is copied
    const std::wstring wide = Runtime::WideFromUtf8(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    ::EmptyClipboard();
    if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(::GlobalLock(memory), wide.c_str(), bytes);
        ::GlobalUnlock(memory);
        // The clipboard owns the memory once it takes it.
        if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    }
    ::CloseClipboard();
}

std::optional<std::string> AskWhereToSave(HWND owner, std::string_view suggestedName) {
    // Room for a long path: the dialog fails rather than cut one.
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring suggested = Runtime::WideFromUtf8(suggestedName);
    std::copy_n(suggested.begin(), std::min(suggested.size(), path.size() - 1), path.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"CSV (*.csv)\0*.csv\0";
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
    return Runtime::Utf8FromWide(path.data());
}
