// Where the program keeps DATA.CSV and its results when the user chose no folder for it.
#include <string>

#include "platform/win32/win32.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include "platform/win32_texts.h"

namespace quorvel::platform {

namespace {

std::wstring withoutTrailingSlash(std::wstring folder) {
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) {
        folder.pop_back();
    }
    return folder;
}

std::wstring currentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return withoutTrailingSlash(folder);
}

std::wstring programFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const std::size_t slash = path.find_last_of(L"\\/");
    return withoutTrailingSlash(slash == std::wstring::npos ? std::wstring()
                                                            : path.substr(0, slash));
}

std::wstring systemFolder(UINT (*get)(LPWSTR, UINT)) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = get(folder, MAX_PATH);
    return withoutTrailingSlash(length > 0 && length < MAX_PATH ? folder : L"");
}

bool sameFolder(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && !b.empty() &&
           CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The user's Documents\Quorvel, made if missing; empty when there is none to be had.
std::wstring documentsFolder() {
    PWSTR documents = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &documents))) {
        folder = withoutTrailingSlash(documents) + L"\\Quorvel";
    }
    CoTaskMemFree(documents);
    if (folder.empty() || (CreateDirectoryW(folder.c_str(), nullptr) == FALSE &&
                           GetLastError() != ERROR_ALREADY_EXISTS)) {
        return {};
    }
    return folder;
}

}  // namespace

void settleWorkingFolder() {
    const std::wstring current = currentFolder();
    if (!sameFolder(current, programFolder()) &&
        !sameFolder(current, systemFolder(&GetSystemDirectoryW)) &&
        !sameFolder(current, systemFolder(&GetWindowsDirectoryW))) {
        return;  // a folder of the user's choosing
    }
    const std::wstring documents = documentsFolder();
    if (documents.empty() || SetCurrentDirectoryW(documents.c_str()) == FALSE) {
        const std::wstring message = win32::widen(text::win32WorkingFolderFailed) + L"\n" + current;
        MessageBoxW(nullptr, message.c_str(), win32::widen(defaultMessageCaption()).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
}

}  // namespace quorvel::platform
