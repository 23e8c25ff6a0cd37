#include "palette/show_finish.h"

namespace lumetra::palette {

ShowFinish QueueShowFinish(const ShowFinish& queued, bool wasVisible, bool runPending) {
    if (!queued.armed) return {true, wasVisible, runPending};
    return {true, queued.wasVisible && wasVisible, queued.runPending || runPending};
}

}  // namespace lumetra::palette
