#include "tests/sim/device/pty_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "tests/sim/device/protocol.h"

namespace devsim {

PtyClient::PtyClient(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), path);
  fd_ = UniqueFd(fd);
  termios raw{};
  ::tcgetattr(fd, &raw);
  cfmakeraw(&raw);
  ::tcsetattr(fd, TCSANOW, &raw);
  ::tcflush(fd, TCIOFLUSH);
}

void PtyClient::Write(const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_.Get(), bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (errno == EAGAIN) {
      pollfd p{fd_.Get(), POLLOUT, 0};
      ::poll(&p, 1, 100);
    } else {
      throw std::system_error(errno, std::generic_category(), "write");
    }
  }
}

bool PtyClient::ReadByte(std::uint8_t* byte, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const ssize_t n = ::read(fd_.Get(), byte, 1);
    if (n == 1) return true;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd_.Get(), POLLIN, 0};
    ::poll(&p, 1, static_cast<int>(left.count()));
  }
}

std::optional<Bytes> PtyClient::ReadFrame(std::chrono::milliseconds timeout, Bytes* skipped) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::uint8_t b = 0;
  do {
    if (!ReadByte(&b, deadline)) return std::nullopt;
    if (b != STX && skipped != nullptr) skipped->push_back(b);
  } while (b != STX);
  Bytes frame{b};
  for (int i = 0; i < 2; ++i) {
    if (!ReadByte(&b, deadline)) return std::nullopt;
    frame.push_back(b);
  }
  const std::size_t total = static_cast<std::size_t>(frame[2]) + 6;
  while (frame.size() < total) {
    if (!ReadByte(&b, deadline)) return std::nullopt;
    frame.push_back(b);
  }
  return frame;
}

Bytes PtyClient::ReadBytes(std::size_t count, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  Bytes out;
  std::uint8_t b = 0;
  while (out.size() < count && ReadByte(&b, deadline)) out.push_back(b);
  return out;
}

Bytes PtyClient::ReadUntilQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  Bytes out;
  std::uint8_t b = 0;
  while (std::chrono::steady_clock::now() < end &&
         ReadByte(&b, std::min(end, std::chrono::steady_clock::now() + quiet)))
    out.push_back(b);
  return out;
}

std::optional<ParsedReply> PtyClient::Transact(int address, std::uint8_t command, const Bytes& data,
                                               std::chrono::milliseconds timeout) {
  Write(EncodeRequest(address, command, data, Framing{}));
  const auto frame = ReadFrame(timeout);
  if (!frame) return std::nullopt;
  return ParseReplyFrame(*frame);
}

std::optional<ParsedReply> ParseReplyFrame(const Bytes& frame) {
  if (frame.size() < 9 || frame.front() != STX || frame.back() != ETX) return std::nullopt;
  const std::size_t length = frame[2];
  if (frame.size() != length + 6) return std::nullopt;
  ParsedReply reply;
  reply.address = frame[1];
  reply.command = frame[3];
  reply.byte3 = frame[4];
  reply.status = frame[5];
  reply.data.assign(frame.begin() + 6, frame.begin() + 3 + static_cast<std::ptrdiff_t>(length));
  const std::uint16_t sum = TelegramChecksum(std::span(frame.data() + 1, length + 2));
  reply.checksumOk = frame[3 + length] == (sum >> 8) && frame[4 + length] == (sum & 0xFF);
  return reply;
}

}  // namespace devsim
