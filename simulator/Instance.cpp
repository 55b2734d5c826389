// The one library instance behind the exported entry points. It is never
// destroyed: the console ends its process without vrxLibClose, and joining
// threads from static destructors at process exit can hang.
#include "Library.h"

namespace vrxsim {

Library& Instance() {
    static Library* instance = new Library(MakeDefaultPlatform());
    return *instance;
}

void SetInstancePlatform(std::shared_ptr<Platform> platform) { Instance().SetPlatform(std::move(platform)); }

}  // namespace vrxsim
