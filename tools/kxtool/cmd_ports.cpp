#include <iostream>

#include "Command.h"
#include "link/CommPort.h"

namespace kxtool {

Command addPortsCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand("ports", "List the serial ports of this machine");
  return {command, [] {
            const auto ports = kx::CCommPort::ListPorts();
            if (ports.empty()) std::cerr << "no serial ports found\n";
            for (const auto& port : ports) {
              std::cout << port.number << '\t' << port.device;
              if (!port.description.empty()) std::cout << '\t' << port.description;
              std::cout << '\n';
            }
            return kExitOk;
          }};
}

}  // namespace kxtool
