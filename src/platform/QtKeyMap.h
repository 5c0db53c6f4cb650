#pragma once
// Platform-internal: the toolkit's key codes as virtual keys and back. Only platform sources
// include it.

#include <Qt>

#include <vector>

class QString;

namespace vtg {

// The virtual key of a toolkit key (keypad keys by the keypad modifier); 0 when it has none.
int VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);
// The toolkit key for the caret and editing keys an edit box handles; 0 for others.
int QtKeyFromVirtualKey(int vk);
// The characters of a key's text as code points.
std::vector<int> CodePoints(const QString& text);

}  // namespace vtg
