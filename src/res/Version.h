#pragma once

namespace vtg {

// The library's version text, as the tools print it.
const char* VortigaVersion();

}  // namespace vtg
