#include "app/TransferThread.h"

#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <system_error>
#include <thread>

namespace kx {

// The newest progress position and whether a call to show it is on its way.
struct TransferThread::Progress {
  std::atomic<int> position{0};
  std::atomic<bool> posted{false};
  std::function<void(int)> show;
};

TransferThread::TransferThread(QObject* context)
    : context_(context), progress_(std::make_shared<Progress>()) {}

TransferThread::~TransferThread() = default;

void TransferThread::onUiThread(const std::function<void()>& call) {
  if (QThread::currentThread() == context_->thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(context_, call, Qt::BlockingQueuedConnection);
}

TransferEvents TransferThread::Relay(const TransferEvents& events) {
  TransferEvents relayed;
  if (events.status)
    relayed.status = [this, show = events.status](const std::string& text) {
      onUiThread([&] { show(text); });
    };
  if (events.version)
    relayed.version = [this, show = events.version](const std::string& text) {
      onUiThread([&] { show(text); });
    };
  if (events.pllIc)
    relayed.pllIc = [this, show = events.pllIc](int index) { onUiThread([&] { show(index); }); };
  if (events.traffic)
    relayed.traffic = [this, show = events.traffic](bool sent, const std::uint8_t* bytes,
                                                    std::size_t count) {
      onUiThread([&] { show(sent, bytes, count); });
    };
  if (events.progress) {
    progress_->show = events.progress;
    relayed.progress = [this](int position) {
      progress_->position.store(position);
      if (progress_->posted.exchange(true)) return;  // the call on its way shows it
      // Posted calls run in order, so the position is shown before any later event or pause.
      QMetaObject::invokeMethod(
          context_,
          [state = progress_] {
            // Already shown when the run ended first.
            if (state->posted.exchange(false)) state->show(state->position.load());
          },
          Qt::QueuedConnection);
    };
  }
  return relayed;
}

ImageTransfer::PauseFunction TransferThread::Relay(ImageTransfer::PauseFunction pause) {
  return [this, pause = std::move(pause)](int milliseconds) {
    onUiThread([&] { pause(milliseconds); });
  };
}

TransferOutcome TransferThread::Run(const std::function<TransferOutcome()>& work) {
  TransferOutcome outcome;
  QEventLoop loop;
  std::thread worker;
  try {
    worker = std::thread([&] {
      outcome = work();
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
  } catch (const std::system_error&) {
    outcome = work();
  }
  if (worker.joinable()) {
    // Every event is handled, input included: the progress window is application modal, so
    // its Stop button is the only input that reaches anything.
    loop.exec();
    worker.join();
  }
  // A progress position posted last is shown before the caller goes on.
  if (progress_->posted.exchange(false)) progress_->show(progress_->position.load());
  return outcome;
}

}  // namespace kx
