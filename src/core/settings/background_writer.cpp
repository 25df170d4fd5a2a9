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

void BackgroundWriter::WriteJob(Job& job) noexcept {
    const std::string_view bytes(reinterpret_cast<const char*>(job.bytes.data()), job.bytes.size());
    std::optional<std::string> written;
    for (const auto& name : job.names) {
        bool ok = false;
        try {
            ok = files_.WriteAll(name, bytes);
            if (ok) written = name;
        } catch (...) {
            ok = false;
            written.reset();
        }
        if (ok) break;
        try {
            files_.Remove(name);  // what was written of it (a read-only file stays)
        } catch (...) {
            // Left behind, named by nothing: the next save removes it.
        }
    }
    // The result's place was made when the file was queued: storing it
    // needs no memory.
    std::lock_guard lock(mutex_);
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
        WriteJob(job);
        job = Job();  // the bytes go before the next file is taken
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
        }
        changed_.notify_all();
    }
}

std::size_t BackgroundWriter::Write(std::vector<std::string> names, std::vector<std::uint8_t> bytes) {
    std::unique_lock lock(mutex_);
    // At most one file waits: the queue never grows past one, so the push
    // below has its room once the first file has been queued.
    changed_.wait(lock, [this] { return queue_.empty(); });
    const std::size_t ticket = results_.size();
    results_.emplace_back();
    Job job{ticket, std::move(names), std::move(bytes)};
    if (!thread_.joinable()) {
        lock.unlock();
        WriteJob(job);
        return ticket;
    }
    try {
        queue_.push_back(std::move(job));
    } catch (...) {
        results_.pop_back();
        throw;
    }
    lock.unlock();
    changed_.notify_all();
    return ticket;
}

void BackgroundWriter::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

std::vector<std::optional<std::string>> BackgroundWriter::Finish() {
    WaitUntilIdle();
    std::lock_guard lock(mutex_);
    return std::move(results_);
}

}  // namespace swl
