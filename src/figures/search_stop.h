#pragma once

// search_stop: lets another thread end the searches running on this one, so
// that a window never waits for an exhaustive search it no longer needs.

#include <atomic>

// While it lives, the searches on the constructing thread check `flag` as they
// go and give up as soon as it is set (at the next placement tried);
// their results are then incomplete and must be thrown away.
class SearchStop {
  public:
    explicit SearchStop(const std::atomic<bool>& flag);
    ~SearchStop();
    SearchStop(const SearchStop&) = delete;
    SearchStop& operator=(const SearchStop&) = delete;

  private:
    const std::atomic<bool>* previous;
};

// Whether the flag of this thread's SearchStop is set; false without one.
bool SearchStopRequested();
