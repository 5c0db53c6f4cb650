#include "platform/QtKeyMap.h"

#include <QList>
#include <QString>

#include <utility>

#include "platform/WindowSite.h"

namespace vtg {

namespace {

// Keys whose virtual key is not their own code. Shifted digit-row symbols report the digit key,
// as the keyboard has no key of their own (US layout).
constexpr std::pair<int, int> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},       {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},          {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},         {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},      {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},           {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},     {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},          {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},        {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},            {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},                {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},            {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},        {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},            {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},      {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},      {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Plus, VK_OEM_PLUS},        {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},      {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},      {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},          {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},      {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},      {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},   {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},     {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},              {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},          {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},             {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},           {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},           {Qt::Key_ParenRight, '0'},
    {Qt::Key_Clear, 0x0C},
};

int KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: return 0;
    }
}

}  // namespace

int VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (const int vk = KeypadKey(key)) return vk;
    }
    // Letters and digits are their own codes in both.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    for (const auto& [qt, vk] : kKeys) {
        if (qt == key) return vk;
    }
    return 0;
}

int QtKeyFromVirtualKey(int vk) {
    switch (vk) {
        case VK_LEFT: return Qt::Key_Left;
        case VK_RIGHT: return Qt::Key_Right;
        case VK_UP: return Qt::Key_Up;
        case VK_DOWN: return Qt::Key_Down;
        case VK_HOME: return Qt::Key_Home;
        case VK_END: return Qt::Key_End;
        case VK_PRIOR: return Qt::Key_PageUp;
        case VK_NEXT: return Qt::Key_PageDown;
        case VK_DELETE: return Qt::Key_Delete;
        default: return 0;
    }
}

std::vector<int> CodePoints(const QString& text) {
    std::vector<int> out;
    for (const auto c : text.toUcs4()) out.push_back(static_cast<int>(c));
    return out;
}

}  // namespace vtg
