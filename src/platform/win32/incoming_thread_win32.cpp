#include "platform/win32/incoming_thread_win32.h"

#include <algorithm>

#include "platform/win32/handles.h"

namespace vantrel {

namespace {

// A reader that falls this far behind holds the transfer up.
constexpr std::size_t kMaxPending = 1 << 20;
constexpr DWORD kRoomCheckMs = 100;

class IncomingReader : public Incoming {
 public:
  explicit IncomingReader(std::shared_ptr<IncomingBuffer> buffer) : buffer_(std::move(buffer)) {}
  ~IncomingReader() override { buffer_->Abandon(); }
  IncomingReader(const IncomingReader&) = delete;
  IncomingReader& operator=(const IncomingReader&) = delete;

  State Take(std::string& into, std::size_t limit) override { return buffer_->Take(into, limit); }
  int StatusCode() override { return buffer_->StatusCode(); }

 private:
  std::shared_ptr<IncomingBuffer> buffer_;
};

struct TransferJob {
  std::shared_ptr<IncomingBuffer> buffer;
  std::function<void(IncomingBuffer&)> transfer;
};

DWORD WINAPI RunTransfer(void* parameter) {
  std::unique_ptr<TransferJob> job(static_cast<TransferJob*>(parameter));
  try {
    job->transfer(*job->buffer);
  } catch (...) {
    job->buffer->Finish(Incoming::State::kFailed);
  }
  return 0;
}

}  // namespace

IncomingBuffer::IncomingBuffer() : taken_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  InitializeCriticalSection(&lock_);
}

IncomingBuffer::~IncomingBuffer() {
  DeleteCriticalSection(&lock_);
  if (taken_ != nullptr) CloseHandle(taken_);
}

bool IncomingBuffer::Deliver(const char* bytes, std::size_t size) {
  for (;;) {
    {
      Lock lock(lock_);
      if (abandoned_) return false;
      if (pending_.size() < kMaxPending) {
        pending_.append(bytes, size);
        return true;
      }
    }
    WaitForSingleObject(taken_, kRoomCheckMs);
  }
}

void IncomingBuffer::SetStatusCode(int status) {
  Lock lock(lock_);
  status_ = status;
}

void IncomingBuffer::Finish(Incoming::State state) {
  Lock lock(lock_);
  if (state_ == Incoming::State::kWaiting) state_ = state;
}

bool IncomingBuffer::Abandoned() {
  Lock lock(lock_);
  return abandoned_;
}

Incoming::State IncomingBuffer::Take(std::string& into, std::size_t limit) {
  Lock lock(lock_);
  const std::size_t count = std::min(limit, pending_.size());
  into.append(pending_, 0, count);
  pending_.erase(0, count);
  if (count > 0) SetEvent(taken_);
  // The end counts only once every byte before it has been taken.
  return pending_.empty() ? state_ : Incoming::State::kWaiting;
}

int IncomingBuffer::StatusCode() {
  Lock lock(lock_);
  return status_;
}

void IncomingBuffer::Abandon() {
  Lock lock(lock_);
  abandoned_ = true;
  pending_.clear();
  SetEvent(taken_);
}

std::unique_ptr<Incoming> StartIncoming(std::function<void(IncomingBuffer&)> transfer) {
  auto buffer = std::make_shared<IncomingBuffer>();
  auto* job = new TransferJob{buffer, std::move(transfer)};
  HANDLE thread = CreateThread(nullptr, 0, &RunTransfer, job, 0, nullptr);
  if (thread == nullptr) {
    delete job;
    buffer->Finish(Incoming::State::kFailed);
  } else {
    CloseHandle(thread);
  }
  return std::make_unique<IncomingReader>(buffer);
}

}  // namespace vantrel
