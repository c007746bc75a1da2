#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kx {

class CCommPort;

// What a connection to a radio needs of a serial port. The serial port channel is the real one;
// tests put a scripted radio behind it.
class SerialLink {
 public:
  virtual ~SerialLink() = default;
  virtual bool Open(const std::string& device, unsigned baud, std::uint16_t identifier) = 0;
  virtual void Close() = 0;
  virtual std::size_t Write(const std::uint8_t* bytes, std::size_t count) = 0;
  // Line control, issued right after a command is written.
  virtual void SetDtr() = 0;
  virtual void ClearDtr() = 0;
  virtual void ClearRts() = 0;
  // The receive queue.
  virtual int Count() = 0;
  virtual bool Take(std::uint8_t& byte) = 0;
  // Why the last Open failed, in the system's words.
  virtual std::string LastError() const = 0;
  // The device went away under the open port: nothing more will come from the radio.
  virtual bool LineLost() const { return false; }
};

// The serial port channel as a SerialLink.
class CommPortLink : public SerialLink {
 public:
  explicit CommPortLink(CCommPort& port) : port_(port) {}
  bool Open(const std::string& device, unsigned baud, std::uint16_t identifier) override;
  void Close() override;
  std::size_t Write(const std::uint8_t* bytes, std::size_t count) override;
  void SetDtr() override;
  void ClearDtr() override;
  void ClearRts() override;
  int Count() override;
  bool Take(std::uint8_t& byte) override;
  std::string LastError() const override;
  bool LineLost() const override;

 private:
  CCommPort& port_;
};

}  // namespace kx
