#include "textio/PagesShown.h"

#include "model/KX200Doc.h"
#include "rules/ChannelPage.h"
#include "rules/ModemDecisions.h"

namespace kx {

void ShowOnPages(CKX200Doc& doc) {
  LoadChannelPage(doc);
  DecideModemOnLoad(doc);
}

}  // namespace kx
