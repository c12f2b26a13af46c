#pragma once

#include "sound/engine/CompletionQueue.h"

#include <vector>

// Completions gathered under the card's lock and posted after it is released, so that a
// queue's notifier never runs inside the card.
struct VirtualPost {
    CompletionQueue* queue;
    WaveCompletion completion;
};
using VirtualPosts = std::vector<VirtualPost>;

inline void PostAll(VirtualPosts& posts) {
    for (auto& p : posts) p.queue->Post(std::move(p.completion));
    posts.clear();
}
