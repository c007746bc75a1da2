#include "link/SerialLink.h"

#include "link/CommPort.h"

namespace kx {

bool CommPortLink::Open(const std::string& device, unsigned baud, std::uint16_t identifier) {
  return port_.Open(device, baud, identifier);
}
void CommPortLink::Close() {
  port_.Close();
}
std::size_t CommPortLink::Write(const std::uint8_t* bytes, std::size_t count) {
  return port_.Write(bytes, count);
}
void CommPortLink::SetDtr() {
  port_.SetDtr();
}
void CommPortLink::ClearDtr() {
  port_.ClearDtr();
}
void CommPortLink::ClearRts() {
  port_.ClearRts();
}
int CommPortLink::Count() {
  return port_.m_QueueRead.Count();
}
bool CommPortLink::Take(std::uint8_t& byte) {
  return port_.m_QueueRead.Take(byte);
}
std::string CommPortLink::LastError() const {
  return port_.LastError();
}
bool CommPortLink::LineLost() const {
  return port_.LineLost();
}

}  // namespace kx
