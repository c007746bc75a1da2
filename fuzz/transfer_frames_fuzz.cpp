// A read or a write (the first byte chooses) against a radio that answers with the fuzzer's
// bytes: the request's answer, every block frame and every block acknowledgement. Whatever it
// sends, the transfer ends, closes the port, keeps the progress within the image, leaves the
// document alone unless a read succeeded, and reports success only for a whole image.
#include <cstddef>
#include <cstdint>

#include "DocumentUse.h"
#include "FuzzLink.h"
#include "link/ImageTransfer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kx;
  fuzz::FuzzInput input(data, size);
  const bool write = input.Choice(2) == 1;
  fuzz::FuzzLink link(input);
  RadioMemory memory;
  ImageTransfer transfer(link, memory, [&link](int ms) { link.Pause(ms); });
  transfer.SetBackupFolder({});

  TransferEvents events;
  int lastProgress = 0;
  events.progress = [&lastProgress](int position) {
    fuzz::require(position >= 0 && position < static_cast<int>(image::kSize));
    lastProgress = position;
  };

  CKX200Doc doc;
  doc.ChooseModel(model::kKx600Uhf);
  const CKX200Doc before = doc;
  const PortChoice port{1, "/dev/ttyS0"};
  const TransferOutcome outcome =
      write ? transfer.OnWrite(doc, port, events) : transfer.OnRead(doc, port, events);

  fuzz::require(!link.IsOpen() && link.closes >= link.opens);
  fuzz::require(!outcome.status.empty());
  if (outcome.ok()) {
    fuzz::require(lastProgress == 0);  // set back to 0 once the blocks are through
    if (!write) fuzz::UseDocument(doc);
  } else if (!write) {
    fuzz::require(doc == before);
  }
  return 0;
}
