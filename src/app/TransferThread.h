#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "link/ImageTransfer.h"

namespace kx {

// Runs a read or a write of the radio on a thread of its own, so the port's waits for its bytes
// to leave the line (about 2 ms a byte at 4800 baud, some 45 ms for a block frame) never hold
// the window. The transfer's pauses and events are relayed to the user-interface thread and run
// there, in the order the transfer gives them, as if the transfer ran there itself; between them
// the user-interface thread serves its event loop, where the progress window holds the input.
// Progress positions are coalesced: the bar takes the newest position once per turn of the
// event loop instead of repainting for every byte.
class TransferThread {
 public:
  // context: an object of the user-interface thread that outlives the run; relayed calls run
  // in its thread.
  explicit TransferThread(QObject* context);
  ~TransferThread();
  TransferThread(const TransferThread&) = delete;
  TransferThread& operator=(const TransferThread&) = delete;

  // The events and the pause as the worker calls them; each runs on the user-interface thread.
  TransferEvents Relay(const TransferEvents& events);
  ImageTransfer::PauseFunction Relay(ImageTransfer::PauseFunction pause);

  // Runs the work on the worker thread and serves the event loop until it is done. Where no
  // thread can be started the work runs here, as it would have without one.
  TransferOutcome Run(const std::function<TransferOutcome()>& work);

 private:
  struct Progress;
  // Runs a call on the user-interface thread and waits for it.
  void onUiThread(const std::function<void()>& call);

  QObject* context_;
  std::shared_ptr<Progress> progress_;
};

}  // namespace kx
