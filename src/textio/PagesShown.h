#pragma once

namespace kx {

class CKX200Doc;

// What showing the pages does to a configuration, as the app does after opening a file: the
// channel page's timers and the modem page's rules put the stored values in the shape the
// pages keep (a Tx matched SAT without busy channel lockout goes, an empty Tx On delay reads
// 20 ms, the KX400 runs in Dumb mode, ...).
void ShowOnPages(CKX200Doc& doc);

}  // namespace kx
