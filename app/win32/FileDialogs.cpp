#include "app/win32/FileDialogs.h"

#include "app/ModelFormats.h"

#include <string_view>
#include <vector>

namespace Quorvane {

BOOL(WINAPI* showOpenDialog)(OPENFILENAMEW*) = GetOpenFileNameW;
BOOL(WINAPI* showSaveDialog)(OPENFILENAMEW*) = GetSaveFileNameW;

namespace {

// Format names and patterns are ASCII, so widening each char is the conversion.
std::wstring widen(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

void appendFilter(std::wstring& filter, const std::wstring& name, const std::wstring& patterns)
{
    filter += name + L" (" + patterns + L")";
    filter += L'\0';
    filter += patterns;
    filter += L'\0';
}

// Windows takes the longest path it has; the dialog writes into this buffer.
constexpr std::size_t pathBufferLength = 32768;

std::optional<std::filesystem::path> runDialog(BOOL(WINAPI* show)(OPENFILENAMEW*), OPENFILENAMEW& dialog)
{
    std::vector<wchar_t> path(pathBufferLength, L'\0');
    dialog.lStructSize = sizeof(OPENFILENAMEW);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    if (!show(&dialog))
        return std::nullopt;
    return std::filesystem::path(path.data());
}

} // namespace

std::wstring modelDialogFilter()
{
    std::wstring filter;
    appendFilter(filter, L"Models", widen(modelFilePatterns(";")));
    for (const ModelFormat& format : modelFormats())
        appendFilter(filter, widen(format.name), widen(modelFilePatterns(format, ";")));
    appendFilter(filter, widen(allFilesName), L"*.*");
    return filter;
}

std::optional<std::filesystem::path> chooseModelFile(HWND owner)
{
    const std::wstring filter = modelDialogFilter();
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrTitle = L"Open Model";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    return runDialog(showOpenDialog, dialog);
}

std::optional<std::filesystem::path> chooseFrameFile(HWND owner)
{
    static constexpr wchar_t filter[] = L"PNG image (*.png)\0*.png\0";
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrDefExt = L"png";
    dialog.lpstrTitle = L"Save Frame As";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    return runDialog(showSaveDialog, dialog);
}

} // namespace Quorvane
