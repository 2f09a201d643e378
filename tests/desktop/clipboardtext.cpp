// Writes the text on the Windows clipboard to standard output as UTF-8, byte
// for byte. Wine's bridge to the X11 clipboard turns CR LF into LF, so the
// desktop test reads what a Windows program would paste from inside Wine.
#include <windows.h>

#include <string>

int main()
{
    if (!OpenClipboard(nullptr))
        return 1;
    std::string bytes;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto *text = data ? static_cast<const wchar_t *>(GlobalLock(data)) : nullptr) {
        const int length = lstrlenW(text);
        bytes.resize(static_cast<std::size_t>(length) * 3); // UTF-8 takes at most 3 bytes per UTF-16 unit
        bytes.resize(static_cast<std::size_t>(
            WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), length * 3, nullptr, nullptr)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return written == bytes.size() ? 0 : 1;
}
