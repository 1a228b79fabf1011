#include "processes/Pipes.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace formwright {

TPipe::TPipe() {
  int Ends[2];
  if (pipe2(Ends, O_CLOEXEC) != 0) throw EProcessError(SUnableToCreatePipe);
  FRead = Ends[0];
  FWrite = Ends[1];
  // The size hint; the system may round it up or refuse it, either of which is fine.
  fcntl(FRead, F_SETPIPE_SZ, static_cast<int>(PipeBufferSize));
}

TPipe::~TPipe() {
  CloseRead();
  CloseWrite();
}

void TPipe::CloseRead() noexcept {
  if (FRead >= 0) close(FRead);
  FRead = -1;
}

void TPipe::CloseWrite() noexcept {
  if (FWrite >= 0) close(FWrite);
  FWrite = -1;
}

size_t TPipe::Drain(size_t Limit) {
  for (size_t Taken = 0;;) {
    int Available = 0;
    if (Taken >= Limit || FRead < 0 || ioctl(FRead, FIONREAD, &Available) != 0 || Available <= 0)
      return std::min(Taken, Limit);
    if (FBuffer.empty()) FBuffer.resize(PipeBufferSize);
    const size_t Want = std::min({static_cast<size_t>(Available), FBuffer.size(), Limit - Taken});
    const ssize_t Got = read(FRead, FBuffer.data(), Want);
    if (Got < 0 && errno == EINTR) continue;
    if (Got <= 0) return std::min(Taken, Limit);
    FBytes.append(FBuffer.data(), static_cast<size_t>(Got));
    const auto Lines = static_cast<size_t>(std::count(FBuffer.data(), FBuffer.data() + Got, '\n'));
    Taken += static_cast<size_t>(Got) + Lines * LineCost;
  }
}

TProcessLines TPipe::TakeLines(bool Final) {
  if (!FStarted) {
    // Wait for more bytes only while what came so far may still be the start of a mark.
    const std::string_view Mark = "\xEF\xBB\xBF";
    const size_t Seen = std::min(FBytes.size(), Mark.size());
    FStarted = Final || FBytes.size() >= Mark.size() ||
               std::string_view(FBytes).substr(0, Seen) != Mark.substr(0, Seen);
    if (FStarted && std::string_view(FBytes).substr(0, Mark.size()) == Mark) FTaken = Mark.size();
  }
  TProcessLines Lines;
  if (!FStarted) return Lines;
  size_t Start = FTaken;
  for (size_t I = FTaken; I < FBytes.size(); ++I) {
    const char C = FBytes[I];
    if (C != '\n' && C != '\r') continue;
    // A CR at the very end may be the first half of a CR LF still on its way.
    if (C == '\r' && I + 1 == FBytes.size() && !Final) break;
    Lines.emplace_back(FBytes, Start, I - Start);
    if (C == '\r' && I + 1 < FBytes.size() && FBytes[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  if (Final && Start < FBytes.size()) {
    Lines.emplace_back(FBytes, Start, String::npos);
    Start = FBytes.size();
  }
  FBytes.erase(0, Start);
  FTaken = 0;
  return Lines;
}

}  // namespace formwright
