#include "MainThread.h"

#include <mutex>
#include <vector>

namespace {

std::mutex gMutex;
std::vector<std::function<void()>> gTasks;

}  // namespace

void PostToMainThread(std::function<void()> task) {
    std::lock_guard lock(gMutex);
    gTasks.push_back(std::move(task));
}

bool RunPostedTasks() {
    std::vector<std::function<void()>> ready;
    {
        std::lock_guard lock(gMutex);
        ready.swap(gTasks);
    }
    for (auto& task : ready) task();
    return !ready.empty();
}
