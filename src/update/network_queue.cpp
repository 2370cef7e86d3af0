#include "update/network_queue.h"

namespace mousedeck::update {

NetworkQueue::NetworkQueue() : thread_([this] { Loop(); }) {}

NetworkQueue::~NetworkQueue() {
    Stop();
}

void NetworkQueue::Post(Job job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            busy_ = false;
            idle_.notify_all();
            return;
        }
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void NetworkQueue::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    cancel_.store(true);
    wake_.notify_one();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

bool NetworkQueue::Idle() const {
    std::lock_guard lock(mutex_);
    return jobs_.empty() && !busy_;
}

bool NetworkQueue::WaitUntilIdle(std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, limit, [this] { return jobs_.empty() && !busy_; });
}

void NetworkQueue::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            busy_ = false;
            idle_.notify_all();
            return;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        job();
        lock.lock();
        busy_ = false;
        if (jobs_.empty()) {
            idle_.notify_all();
        }
    }
}

}  // namespace mousedeck::update
