// Writes the text on the Windows clipboard to standard output as UTF-8, byte
// for byte. Wine's bridge to the X11 clipboard turns CR LF into LF, so the
// desktop test reads what a Windows program would paste from inside Wine.
#include <windows.h>

#include <cwchar>
#include <string>

int main()
{
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 20 && !(opened = OpenClipboard(nullptr)); ++attempt)
        Sleep(50);
    if (!opened)
        return 1;
    std::string bytes;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *text = static_cast<const wchar_t *>(GlobalLock(data))) {
            const int length = static_cast<int>(std::wcslen(text));
            bytes.resize(static_cast<std::size_t>(length) * 3);
            bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(
                CP_UTF8, 0, text, length, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    DWORD written = 0;
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
                   && written == bytes.size()
               ? 0
               : 1;
}
