#include "SdkCallInFlight.h"

namespace vrx {
namespace detail {

std::atomic<const char*> g_sdkCallInFlight{nullptr};

}  // namespace detail
}  // namespace vrx
