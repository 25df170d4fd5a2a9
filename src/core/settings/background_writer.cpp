#include "settings/background_writer.h"

#include <string_view>
#include <system_error>
#include <utility>

namespace swl {

BackgroundWriter::BackgroundWriter(FileLayer& files) : files_(files) {
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to be had: each file is written as it comes.
    }
}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void BackgroundWriter::WriteJob(Job& job) {
    const std::string_view bytes(reinterpret_cast<const char*>(job.bytes.data()), job.bytes.size());
    std::optional<std::string> written;
    for (const auto& name : job.names) {
        if (files_.WriteAll(name, bytes)) {
            written = name;
            break;
        }
        files_.Remove(name);  // what was written of it (a read-only file stays)
    }
    std::lock_guard lock(mutex_);
    if (results_.size() <= job.ticket) results_.resize(job.ticket + 1);
    results_[job.ticket] = std::move(written);
}

void BackgroundWriter::Run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !queue_.empty() || done_; });
            if (queue_.empty()) return;
            job = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
        }
        changed_.notify_all();
        try {
            WriteJob(job);
        } catch (...) {
            std::lock_guard lock(mutex_);
            failure_ = std::current_exception();
            queue_.clear();
        }
        job = Job();  // the bytes go before the next file is taken
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
            if (failure_) done_ = true;
        }
        changed_.notify_all();
        if (failure_) return;
    }
}

std::size_t BackgroundWriter::Write(std::vector<std::string> names, std::vector<std::uint8_t> bytes) {
    std::unique_lock lock(mutex_);
    const std::size_t ticket = results_.size();
    results_.resize(ticket + 1);
    if (failure_) return ticket;  // the writes have ended
    Job job{ticket, std::move(names), std::move(bytes)};
    if (!thread_.joinable()) {
        lock.unlock();
        WriteJob(job);
        return ticket;
    }
    changed_.wait(lock, [this] { return queue_.empty() || failure_; });
    if (!failure_) queue_.push_back(std::move(job));
    lock.unlock();
    changed_.notify_all();
    return ticket;
}

std::vector<std::optional<std::string>> BackgroundWriter::Finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queue_.empty() && !busy_) || failure_; });
    if (failure_) {
        changed_.wait(lock, [this] { return !busy_; });
        std::rethrow_exception(failure_);
    }
    return results_;
}

}  // namespace swl
