// The pipes through which a started program's standard streams reach the runner.
#pragma once

#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The lines a program printed on one stream.
using TProcessLines = std::vector<String>;

// Errors of the process runner.
FW_EXCEPTION(EProcessError, Exception);

inline constexpr const char* SUnableToCreatePipe = "Unable to create inheritable pipe";
// Size of a pipe's buffer and of one read.
inline constexpr size_t PipeBufferSize = 32768;
// What the runner takes from a pipe in one polling pass, counted as what the text will cost
// once it is lines: its bytes and LineCost for each line. A program that prints without pause
// is read at this rate, so the runner checks its time-out every pass and what it collects
// grows at a bounded rate, however short the lines; the program waits on its full pipe in
// between. The share is large enough that a program printing a lot of ordinary text (a build's
// 100 MB log) is read within a few times what a plain pipe takes.
inline constexpr size_t DrainLimit = 64u << 20;
// The cost of one line beyond its bytes: the string that holds it.
inline constexpr size_t LineCost = 32;

// One anonymous pipe. Both ends are closed on exec; the runner hands an end to the program by
// duplicating it onto a standard stream. The bytes read so far accumulate until they are taken
// as lines. Destroying the pipe closes both ends.
class TPipe {
 public:
  // Raises EProcessError "Unable to create inheritable pipe" when the system refuses.
  TPipe();
  ~TPipe();
  TPipe(const TPipe&) = delete;
  TPipe& operator=(const TPipe&) = delete;

  int ReadHandle() const noexcept { return FRead; }
  int WriteHandle() const noexcept { return FWrite; }
  // Closes this process's copy of an end once the program holds its own.
  void CloseRead() noexcept;
  void CloseWrite() noexcept;

  // Reads what the pipe holds right now, at most 32768 bytes per read, without waiting, and
  // stops once what it read costs `Limit` (bytes, and LineCost for each line end). Answers
  // that cost, at most `Limit`.
  size_t Drain(size_t Limit = DrainLimit);
  // The complete lines collected so far (ended by CR LF, LF or CR), dropping them from the
  // collected bytes. With `Final`, an unfinished last line is returned too. A UTF-8 byte-order
  // mark at the start of the stream is dropped; other bytes pass unchanged (programs print
  // UTF-8 here).
  TProcessLines TakeLines(bool Final);
  // Number of bytes collected and not yet taken.
  size_t Pending() const noexcept { return FBytes.size() - FTaken; }

 private:
  int FRead = -1;
  int FWrite = -1;
  std::vector<char> FBuffer;  // allocated on first read
  String FBytes;
  size_t FTaken = 0;      // bytes of FBytes already returned as lines
  bool FStarted = false;  // the stream's first bytes were seen (byte-order mark check)
};

}  // namespace formwright
