#include "figures/search_stop.h"

namespace {
thread_local const std::atomic<bool>* current = nullptr;
} // namespace

SearchStop::SearchStop(const std::atomic<bool>& flag) : previous(current) {
    current = &flag;
}

SearchStop::~SearchStop() {
    current = previous;
}

bool SearchStopRequested() {
    return current && current->load(std::memory_order_relaxed);
}
