#pragma once
// Message boxes and file dialogs of the desktop. When the application runs headless every
// dialog answers at once as cancelled: a modal dialog would wait forever there.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtg {

// Message box flags: one button set, optionally an icon and a default button.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_CANCELTRYCONTINUE = 0x6;
inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONERROR = MB_ICONHAND;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr unsigned MB_ICONASTERISK = 0x40;
inline constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFBUTTON4 = 0x300;
inline constexpr unsigned MB_DEFMASK = 0xF00;

// Message box results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDTRYAGAIN = 10;
inline constexpr int IDCONTINUE = 11;

// The results of the buttons a box with these flags shows, left to right. An unknown button
// set shows OK alone.
std::vector<int> MessageBoxResults(unsigned flags);
// The result of the default button, and the result when the box is closed without a choice
// (Escape): Cancel where there is one, else No, else Abort, else OK.
int MessageBoxDefaultResult(unsigned flags);
int MessageBoxEscapeResult(unsigned flags);

// "Description (*.a;*.b)|*.a;*.b|..." (pipes or NULs between the parts, an optional "||" end)
// as the toolkit's "Description (*.a *.b);;..." filter. "*.*" becomes "*".
std::string ConvertFileFilter(std::string_view filter);

// True when the application runs on the offscreen platform (or without a GUI application),
// where no dialog can be answered.
bool IsHeadless();

// Modal desktop dialogs; headless they return 0 / nullopt at once.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);
std::optional<std::string> ShowOpenFileDialog(const std::string& title, const std::string& filter);
std::optional<std::string> ShowSaveFileDialog(const std::string& title, const std::string& filter,
                                              const std::string& name);

}  // namespace vtg
