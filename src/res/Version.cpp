#include "res/Version.h"

namespace vtg {

const char* VortigaVersion() { return "0.1"; }

}  // namespace vtg
