#include "hostedview/refresh_rules.h"

namespace lumetra::hostedview {
}  // namespace lumetra::hostedview
