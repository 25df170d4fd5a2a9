// Writes files on a thread of its own, one after another, while the caller
// makes the next one: the save at exit reads each picture's pixels on the
// main thread (where the pictures live) while the file of the one before
// goes to disk, instead of doing the two in turn. At most one file waits
// while another is written, so no more than two are held at a time.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ini/file_layer.h"

namespace swl {

class BackgroundWriter {
public:
    // Only this writer touches `files` until Finish has returned.
    explicit BackgroundWriter(FileLayer& files);
    // Waits for the files queued.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Queues a file, to be written under the first of `names` that can be
    // written (what was written of a name that failed is removed). Waits
    // while a file is already waiting. Returns the file's ticket: 0 for the
    // first, then 1, 2, ... Without a thread (none could be started) the
    // file is written before this returns. Files are written in the order
    // they are queued. Throws only when it has no memory to queue the file
    // (which is then not written and has no ticket).
    std::size_t Write(std::vector<std::string> names, std::vector<std::uint8_t> bytes);
    // Waits until every file queued so far is written (their memory is
    // given back).
    void WaitUntilIdle();
    // Waits until every queued file is written and returns, by ticket, the
    // name each went under, or nothing when none could be written. A write
    // that failed in any way (an error thrown while writing included) fails
    // for its own file only: the files after it are still written.
    std::vector<std::optional<std::string>> Finish();

private:
    struct Job {
        std::size_t ticket;
        std::vector<std::string> names;
        std::vector<std::uint8_t> bytes;
    };
    void Run();
    // Writes the file and notes under which name; never throws.
    void WriteJob(Job& job) noexcept;

    FileLayer& files_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    bool busy_ = false;  // a job is being written
    bool done_ = false;  // no more jobs come
    std::vector<std::optional<std::string>> results_;
    std::thread thread_;
};

}  // namespace swl
