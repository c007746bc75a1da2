#include "BenchRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "BenchConsole.h"
#include "Command.h"
#include "Console.h"
#include "TransferConsole.h"
#include "link/CommPort.h"
#include "model/FileIo.h"

namespace kxtool {

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kRefreshPeriod = std::chrono::milliseconds(100);

std::atomic<bool> gStopAsked{false};

void onStopRequest() {
  gStopAsked = true;
}

// The same device under two names (a link and its target) is the same radio.
std::string deviceIdentity(const std::string& device) {
  std::error_code ec;
  const fs::path canonical = fs::weakly_canonical(kx::fileio::nativePath(device), ec);
  return ec ? device : kx::fileio::utf8Path(canonical);
}

std::string uniqueName(std::string name, const std::vector<BenchRadio>& taken) {
  if (name.empty()) name = "radio";
  const auto used = [&taken](const std::string& n) {
    return std::any_of(taken.begin(), taken.end(),
                       [&n](const BenchRadio& r) { return r.name == n; });
  };
  std::string candidate = name;
  for (int n = 2; used(candidate); ++n)
    candidate = name + "-" + std::to_string(n);
  return candidate;
}

std::string resultText(const BenchResult& r) {
  if (!r.fileError.empty()) return r.fileError;
  return r.outcome.ok() ? "done" : r.outcome.status;
}

}  // namespace

std::optional<std::vector<BenchRadio>> ResolveBench(const std::vector<std::string>& texts,
                                                    std::string& error) {
  std::vector<BenchRadio> radios;
  std::vector<std::string> identities;
  for (const auto& text : texts) {
    const auto port = ResolvePort(text, error);
    if (!port) {
      error = text + ": " + error;
      return std::nullopt;
    }
    const std::string identity = deviceIdentity(port->device);
    const auto same = std::find(identities.begin(), identities.end(), identity);
    if (same != identities.end()) {
      const auto& first = texts[static_cast<std::size_t>(same - identities.begin())];
      error = first == text ? text + " is named twice"
                            : text + " is named twice (" + first + " is the same port)";
      return std::nullopt;
    }
    identities.push_back(identity);
    radios.push_back({uniqueName(kx::fileio::utf8Path(kx::fileio::nativePath(port->device).filename()), radios), *port});
  }
  return radios;
}

std::vector<BenchResult> RunBench(const std::vector<BenchRadio>& radios,
                                  const BenchTransfer& transfer) {
  std::vector<std::string> names;
  for (const auto& radio : radios)
    names.push_back(radio.name);
  BenchConsole console(names);
  // Stop requests go to this thread only, and set the flag it looks at; the workers (and the
  // ports' watch threads they start) never see them.
  gStopAsked = false;
  const console::StopRequests stopRequests(onStopRequest);

  std::vector<BenchResult> results(radios.size());
  std::vector<std::unique_ptr<kx::CCommPort>> ports;
  std::vector<std::unique_ptr<kx::RadioMemory>> memories;
  std::vector<std::unique_ptr<kx::ImageTransfer>> transfers;
  for (std::size_t i = 0; i < radios.size(); ++i) {
    ports.push_back(std::make_unique<kx::CCommPort>());
    memories.push_back(std::make_unique<kx::RadioMemory>());
    transfers.push_back(std::make_unique<kx::ImageTransfer>(*ports[i], *memories[i]));
    results[i].name = radios[i].name;
    results[i].port = radios[i].port;
  }

  std::mutex mutex;
  std::condition_variable finished;
  std::size_t running = radios.size();
  std::vector<std::thread> workers;
  console::StopRequests::BlockInThisThread(true);
  for (std::size_t i = 0; i < radios.size(); ++i) {
    workers.emplace_back([&, i] {
      const auto start = Clock::now();
      results[i].outcome =
          transfer(*transfers[i], *memories[i], radios[i].port, console.EventsFor(i), i);
      results[i].seconds = std::chrono::duration<double>(Clock::now() - start).count();
      const std::lock_guard lock(mutex);
      --running;
      finished.notify_all();
    });
  }
  console::StopRequests::BlockInThisThread(false);

  std::unique_lock lock(mutex);
  while (!finished.wait_for(lock, kRefreshPeriod, [&] { return running == 0; })) {
    lock.unlock();
    // Asked again at every look: a transfer that had not begun yet would otherwise clear it.
    if (gStopAsked) {
      for (auto& t : transfers)
        t->RequestStop();
    }
    console.Refresh();
    lock.lock();
  }
  lock.unlock();
  for (auto& worker : workers)
    worker.join();
  console.Finish();
  return results;
}

int ReportBench(const std::vector<BenchResult>& results) {
  std::size_t nameWidth = 4;
  std::size_t resultWidth = 6;
  for (const auto& r : results) {
    nameWidth = std::max(nameWidth, r.name.size());
    resultWidth = std::max(resultWidth, resultText(r).size());
  }
  const auto row = [&](const std::string& name, const std::string& result,
                       const std::string& seconds, const std::string& backup) {
    std::printf("%-*s  %-*s  %7s  %s\n", static_cast<int>(nameWidth), name.c_str(),
                static_cast<int>(resultWidth), result.c_str(), seconds.c_str(), backup.c_str());
  };
  row("PORT", "RESULT", "SECONDS", "BACKUP");
  std::size_t failed = 0;
  for (const auto& r : results) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", r.seconds);
    row(r.name, resultText(r), seconds, r.outcome.backupPath.empty() ? "-" : r.outcome.backupPath);
    failed += !r.ok();
  }
  std::fflush(stdout);
  for (const auto& r : results) {
    std::string detail;
    if (r.outcome.result == kx::TransferOutcome::Result::kPortFailed)
      detail = PortHint(r.port, r.outcome.portError);
    else if (!r.outcome.differences.empty())
      detail = kx::VerifyFailureDetail(r.outcome.differences);
    if (detail.empty()) continue;
    for (auto at = detail.find('\n'); at != std::string::npos; at = detail.find('\n', at + 1))
      detail.insert(at + 1, r.name + ": ");
    std::fprintf(stderr, "%s: %s\n", r.name.c_str(), detail.c_str());
  }
  if (failed > 0) {
    std::fprintf(stderr, "%zu of %zu radios failed\n", failed, results.size());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace kxtool
