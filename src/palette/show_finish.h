#pragma once
// The view work of a show runs after the show has returned to the message
// loop: the keyboard and mouse hooks live on this thread, so every key and
// mouse event in the system waits while it is busy.

namespace lumetra::palette {

struct ShowFinish {
    bool armed = false;
    bool wasVisible = false;  // the palette was on screen before the show
    bool runPending = false;  // a refresh fell due while the palette was hidden
};

// A second show before the first one's view work ran joins it: the palette
// counts as newly shown if either show found it hidden, and a refresh due for
// either one still runs.
ShowFinish QueueShowFinish(const ShowFinish& queued, bool wasVisible, bool runPending);

}  // namespace lumetra::palette
