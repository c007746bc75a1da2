#pragma once

#include <string>
#include <vector>

// What kxtool needs of the terminal or console it runs in, and of the system's ways of asking
// a program to stop. One file for POSIX, one for Windows.
namespace kxtool::console {

// The command line in UTF-8 (Windows hands it over in UTF-16), the program's name first.
std::vector<std::string> Arguments(int argc, char** argv);

// Readies the standard streams, once at the start: on Windows they pass bytes through untouched
// (a configuration sent to a pipe stays intact, texts end lines as on Linux), a console shows
// UTF-8 and understands the terminal sequences the progress bar draws with.
void PrepareStreams();

enum class Stream { kOutput, kError };
// A terminal or console a technician watches, rather than a file or a pipe.
bool IsTerminal(Stream stream);

// While one lives, Ctrl+C, a closed terminal or console and a request to terminate call onStop
// (from a signal handler or the console's own thread: it may only set flags) instead of ending
// the program at once; the transfer then stops between two frames and closes its port.
class StopRequests {
 public:
  explicit StopRequests(void (*onStop)());
  ~StopRequests();
  StopRequests(const StopRequests&) = delete;
  StopRequests& operator=(const StopRequests&) = delete;

  // Threads started while blocked never take a stop request (POSIX signals go to any thread
  // that does not block them); the console's requests come on a thread of their own anyway.
  static void BlockInThisThread(bool block);
};

// What a technician can do about a port refused with reason, beyond the reason itself ("the
// port belongs to group 'dialout'..."); empty when there is nothing to add.
std::string PortAccessHint(const std::string& device, const std::string& reason);

}  // namespace kxtool::console
